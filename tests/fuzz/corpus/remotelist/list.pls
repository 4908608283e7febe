[playlist]
File2=b.mp3
File1=http://s.example/a.mp3
file10=rtsp://h:99/x
