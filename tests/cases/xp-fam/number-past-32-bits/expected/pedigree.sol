id,fa,mo,sex
5,0,0,2
