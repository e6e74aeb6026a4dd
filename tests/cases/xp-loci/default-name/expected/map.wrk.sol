   10
D1S1            5.250
D1S2            0.000
D1S3           12.500
QTL1 Qtl1      60.000
ABCDEFGHIJKL 1234.570
Dneg         -999.500
