; Tape job: writes three records on the tape on servo 1, rewinds it, reads the records back
; and prints them. For the ORMLAX I, assembled with --loader (which clears the two buffers),
; and run with the tape mounted: ormlax-cli run --mount 1=records.tap tapejob.obj (a file
; that does not exist yet is a blank tape).
;
; A record is one block of 60 words, written from BUF: its two words of text, then zeros. A
; read brings the next block into rI, and "30" stores rI at IN without reading on.
	B REC1	H BUF
	B REC1+1	H BUF+1
	51 BUF	00	write the first record
	B REC2	H BUF
	B REC2+1	H BUF+1
	51 BUF	00	the second
	B REC3	H BUF
	B REC3+1	H BUF+1
	51 BUF	00	the third
	61	00	rewind
	11	30 IN	read the first record and store it at IN
	50 IN	50 IN+1
	11	30 IN	the second
	50 IN	50 IN+1
	11	30 IN	the third
	50 IN	50 IN+1
	90	00
;
REC1	TXT	%FIRST RECORDr
REC2	TXT	%SECOND RECORDr
REC3	TXT	%THIRD RECORDr
;
BUF	WS	60
IN	WS	60
