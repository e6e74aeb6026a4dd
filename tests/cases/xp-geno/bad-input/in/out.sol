an older marker file
