; Table: n, n squared and 1/n for n = 1 to 9, on the typewriter. For the ORMLAX I, assembled
; with --overflow.
;
; The double-length product P leaves the square in its low word, division D gives the
; reciprocal as a fraction, and the extract E, under the mask in rF, puts the ignore code in
; place of the leading zeros so that they do not print. 1/1 overflows: a quotient must be
; below one. The overflow routine that --overflow puts at locations 0 to 3 then records where
; it happened, its return word landing in location 3. The program clears that location before
; each division and, when the routine has written there, prints the quotient as 1.
	50 HEAD	50 HEAD+1	the heading, two words
NEXT	B N	A +D001	n := n + 1
	H N	L N	rL := n
	P N	J SQUARE	n times n: the low word of the double-length product
	B ZERO	H 0003	no overflow yet
	D +D001	H QUOT	1/n, rounded
	B QUOT	F POINTS
	E POINT	H OUTQ	a point in place of the sign
	B 0003	L ZERO
	00	Q ROW	no overflow: the quotient stands
	B ONE	H OUTQ	1/1 overflowed: the quotient is one
ROW	B N	F TWO
	E BLANK	H OUTN	n in two digits
	B SQUARE	F THREE
	E BLANK	H OUTS	the square in three digits
	50 OUTN	50 TAB
	50 OUTS	50 TAB
	50 OUTQ	50 CR
	B N	L +D009
	00	Q DONE	after n = 9
	00	U NEXT
DONE	90	00
;
N	|000000	|000000
ZERO	|000000	|000000
SQUARE	|000000	|000000
QUOT	|000000	|000000
; Masks for E: where the mask has a 1, rA takes the character of the word that E names.
TWO	|111111	|111100
THREE	|111111	|111000
POINTS	|100000	|000000
HEAD	TXT	$N?t$SQUARE?t1/$N?r
BLANK	TXT	i
POINT	TXT	.
ONE	TXT	1.0000000000
TAB	TXT	t
CR	TXT	r
; Working storage: the three printed fields of a row.
OUTN	WS	1
OUTS	WS	1
OUTQ	WS	1
