id,fa,mo,sex
1,0,0,1
2,0,0,2
