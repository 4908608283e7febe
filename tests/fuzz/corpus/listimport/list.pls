[playlist]
File1=http://s/a.mp3
Title1=A
File2=b.mp3
NumberOfEntries=2
Version=2
