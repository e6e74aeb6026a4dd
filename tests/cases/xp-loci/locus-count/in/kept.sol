an older map
