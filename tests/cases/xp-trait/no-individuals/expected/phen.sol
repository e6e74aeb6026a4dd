id,QT
