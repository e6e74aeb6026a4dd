id,fa,mo,sex
7,0,0,1
-1,0,0,2
