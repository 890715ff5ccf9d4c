%!PS-Adobe-2.0
%%BoundingBox:      21.34      28.45     134.87     198.88
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
0 0 0 f 0 0 u 741 0 d 741 1112 d 0 1112 d 0 0 d p (Times-Roman) 
(Times-Roman-German) GermanVec ReEncodeSmall (Times-Roman-German) 16 font 
<54657874202861292062> 251 186 90 0 text 55 55 55 f 93 93 u 93 462 d 277 462 d 
277 93 d 93 93 d p showpage 
