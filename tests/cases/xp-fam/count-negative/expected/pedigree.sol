id,fa,mo,sex
