an older phenotype file
