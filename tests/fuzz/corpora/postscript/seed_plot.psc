%!PS-Adobe-2.0
%%BoundingBox:      21.34      28.45     135.15     199.17
%%Creator: KORVAN  6.3 L
%%CreationDate: 10.12.26 , 13:00:14
%%EndComments
2 setlinecap 2 setlinejoin
/cm {0.14226378 mul} def /rgb {255 div} def /lc 1 string def
/u  { /y exch cm def /x exch cm def newpath  x y moveto } def
/d  { /y exch cm def /x exch cm def x y lineto } def
/p  { stroke } def
/e { /b exch rgb def /g exch rgb def
 /r exch rgb def /v exch cm def /w exch cm def /y exch cm def
 /x exch cm def gsave r g b setrgbcolor newpath x y moveto
 w y lineto w v lineto x v lineto closepath fill grestore } def
/f { /b exch rgb def /g exch rgb def
 /r exch rgb def r g b setrgbcolor } def
/text { /c1 exch def /a exch def /y exch cm def /x exch cm def
 /Name exch def gsave x y moveto x y translate a rotate c1 0 gt
 { Name stringwidth 2 div neg exch 2 div neg exch rmoveto }
 {} ifelse Name show grestore } def /font { /h exch def
 /s exch def s findfont h scalefont setfont } def
/c { /a exch def /y exch cm def /x exch cm def /i exch def
 gsave x y moveto x y translate a rotate lc 0 i put lc
 stringwidth 2 div neg exch 2 div neg exch rmoveto lc show
 grestore } def
/sec { /b exch rgb def /g exch rgb def /r exch rgb def
 /a2 exch def /a exch def /r2 exch cm def /r1 exch cm def
 /y exch cm def /x exch cm def gsave r g b setrgbcolor newpath
 x y r1 a a2 arc x y r2 a2 a arcn closepath fill grestore } def
/Reencsmalldict 12 dict def
/ReEncodeSmall
{ Reencsmalldict begin
  /NewCodesAndNames exch def
  /NewFontName exch def
  /BaseFontName exch def
  /BaseFontDict
  BaseFontName findfont def
  /NewFont BaseFontDict
  maxlength dict def
  BaseFontDict
  { exch dup /FID ne
    { dup /Encoding eq
      { exch dup length array copy
        NewFont 3 1 roll put
      }
      { exch NewFont 3 1 roll put
      } ifelse
      }
      {pop pop} ifelse
    } forall
    NewFont
    /FontName NewFontName put
    NewCodesAndNames aload pop
    NewCodesAndNames
    length 2 idiv
    { NewFont /Encoding get
    3 1 roll put  } repeat
    NewFontName NewFont
    definefont pop end } def
 /GermanVec [ 8#177 /Adieresis
 8#200 /Odieresis 8#201 /Udieresis 8#202 /adieresis
 8#203 /odieresis 8#204 /udieresis 8#205 /germandbls
 8#206 /Aring 8#207 /Oslash 8#210 /AE
 8#211 /aring 8#212 /oslash 8#213 /ae
 8#214 /Ntilde 8#215 /ntilde 8#216 /Ccedilla
 8#217 /ccedilla 8#220 /Edieresis 8#221 /Idieresis
 8#222 /edieresis 8#223 /idieresis 8#224 /Aacute
 8#225 /Eacute 8#226 /Iacute 8#227 /Oacute
 8#230 /Uacute 8#231 /aacute 8#232 /eacute
 8#233 /iacute 8#234 /oacute 8#235 /uacute
 8#236 /Agrave 8#237 /Egrave 8#240 /Igrave
 8#241 /Ograve 8#242 /Ugrave 8#243 /agrave
 8#244 /egrave 8#245 /igrave 8#246 /ograve
 8#247 /ugrave 8#250 /Acircumflex 8#251 /Ecircumflex
 8#252 /Icircumflex 8#253 /Ocircumflex 8#254 /Ucircumflex
 8#255 /acircumflex 8#256 /ecircumflex 8#257 /icircumflex
 8#260 /ocircumflex 8#261 /ucircumflex ] def
  150 cm   200 cm translate 5 cm setlinewidth  1.076923  1.076923 scale
0 0 0 f 0 0 0 f 1 0 u 743 0 d 743 1114 d 1 1114 d 1 0 d p 185 184 u 185 926 d p 
185 184 u 229 184 d p 185 370 u 215 370 d p 185 555 u 229 555 d p 185 741 u 215 
741 d p 185 926 u 229 926 d p 272 136 u 275 127 d 285 120 d 301 117 d 310 117 d 
326 120 d 336 127 d 339 136 d 339 143 d 336 152 d 326 159 d 310 162 d 301 162 d 
285 159 d 275 152 d 272 143 d 272 136 d p 323 184 u 326 181 d 330 184 d 326 187 
d 323 184 d p 272 226 u 275 216 d 285 210 d 301 206 d 310 206 d 326 210 d 336 
216 d 339 226 d 339 232 d 336 242 d 326 248 d 310 251 d 301 251 d 285 248 d 275 
242 d 272 232 d 272 226 d p 272 527 u 272 495 d 301 492 d 298 495 d 295 504 d 
295 514 d 298 523 d 304 530 d 314 533 d 320 533 d 330 530 d 336 523 d 339 514 d 
339 504 d 336 495 d 333 492 d 326 488 d p 323 555 u 326 552 d 330 555 d 326 558 
d 323 555 d p 272 597 u 275 587 d 285 581 d 301 578 d 310 578 d 326 581 d 336 
587 d 339 597 d 339 603 d 336 613 d 326 619 d 310 622 d 301 622 d 285 619 d 275 
613 d 272 603 d 272 597 d p 285 837 u 282 843 d 272 853 d 339 853 d p 272 910 u 
275 901 d 285 895 d 301 891 d 310 891 d 326 895 d 336 901 d 339 910 d 339 917 d 
336 926 d 326 933 d 310 936 d 301 936 d 285 933 d 275 926 d 272 917 d 272 910 d 
p 323 958 u 326 955 d 330 958 d 326 961 d 323 958 d p 272 1000 u 275 990 d 285 
984 d 301 981 d 310 981 d 326 984 d 336 990 d 339 1000 d 339 1006 d 336 1016 d 
326 1022 d 310 1025 d 301 1025 d 285 1022 d 275 1016 d 272 1006 d 272 1000 d p 
185 184 u -310 184 d p 185 184 u 185 140 d p 61 184 u 61 154 d p -63 184 u -63 
140 d p -186 184 u -186 154 d p -310 184 u -310 140 d p 149 0 u 153 0 d 162 0 d 
178 0 d 188 0 d 204 0 d 213 0 d 216 0 d 216 0 d 213 0 d 204 0 d 188 0 d 178 0 d 
162 0 d 153 0 d 149 0 d 149 0 d p 200 18 u 204 15 d 207 18 d 204 22 d 200 18 d 
p 149 60 u 153 50 d 162 44 d 178 41 d 188 41 d 204 44 d 213 50 d 216 60 d 216 
66 d 213 76 d 204 82 d 188 85 d 178 85 d 162 82 d 153 76 d 149 66 d 149 60 d p 
-82 0 u -85 0 d -92 0 d -95 0 d -98 0 d -98 0 d -95 0 d -92 0 d -85 0 d -79 0 d 
-72 0 d -63 0 d -31 0 d -31 0 d p -47 18 u -44 15 d -41 18 d -44 22 d -47 18 d 
p -98 60 u -95 50 d -85 44 d -69 41 d -60 41 d -44 44 d -34 50 d -31 60 d -31 
66 d -34 76 d -44 82 d -60 85 d -69 85 d -85 82 d -95 76 d -98 66 d -98 60 d p 
-345 0 u -301 0 d -301 0 d p -345 0 u -278 0 d p -294 18 u -291 15 d -288 18 d 
-291 22 d -294 18 d p -345 60 u -342 50 d -333 44 d -317 41 d -307 41 d -291 44 
d -282 50 d -278 60 d -278 66 d -282 76 d -291 82 d -307 85 d -317 85 d -333 82 
d -342 76 d -345 66 d -345 60 d p -310 184 u -310 926 d p -310 184 u -355 184 d 
p -310 370 u -340 370 d p -310 555 u -355 555 d p -310 741 u -340 741 d p -310 
926 u -355 926 d p 185 926 u -310 926 d p 185 926 u 185 971 d p 61 926 u 61 956 
d p -63 926 u -63 971 d p -186 926 u -186 956 d p -310 926 u -310 971 d p -310 
184 u -310 926 d 185 926 d 185 184 d -310 184 d p 205 205 205 f 185 184 u -248 
555 d 61 926 d p showpage 
