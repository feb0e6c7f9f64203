; Greeting: prints a few lines on the console typewriter. For the ORMLAX I, assembled without
; options. The text shows the typewriter's codes: % shifts the next letter up, $ locks the
; shift and ? releases it, t tabs to the next multiple of eight columns and r returns the
; carriage. The program prints the words from MSG to MSGZZ, the end symbol the assembler
; makes for the last word of a text once the next line is met (here the $END line), stepping
; the address of its print instruction.
START	50 MSG	B START	print a word; take this word
	A +B001	H START	one more on the address of its left half
	L LAST	00
	00	Q DONE	past the last word?
	00	U START
DONE	90	00
LAST	50 MSGZZ+1	B START	START as it stands after the last word
;
MSG	TXT	%HELLO FROM THE $ORMLAX I?.r
	TXT	%MODELt%WORDSt%DIGITSr
	TXT	$I?t1000t3r
	TXT	$II?t10000t4r
$END
