an older file, longer than the new one
an older file, longer than the new one
an older file, longer than the new one
