id,M1,M2
