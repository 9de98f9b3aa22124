#pragma once

#include <string>
#include <string_view>

namespace vorn::test {

// The fixed beginning of every converted sheet, as the program's documents
// carry it (643 bytes, ending with one space after "\f0").
inline constexpr std::string_view kSheetHeader =
    R"({\rtf1\ansi\ansicpg1252\deftab2880\deff0\deflang1036{\fonttbl{\f0\fswiss\fprq2\fcharset0 Arial;}{\f1\froman\fprq2\fcharset0 Times New Roman;}{\f2\fmodern\fprq1\fcharset0 Courier New;}{\f3\froman\fprq2\fcharset2 Symbol;}{\f4\fswiss\fcharset0 Arial;}}{\colortbl ;\red0\green0\blue0;\red128\green0\blue0;\red0\green128\blue0;\red128\green128\blue0;\red0\green0\blue128;\red128\green0\blue128;\red0\green128\blue128;\red128\green128\blue128;\red192\green192\blue192;\red255\green0\blue0;\red0\green255\blue0;\red255\green255\blue0;\red0\green0\blue255;\red255\green0\blue255;\red0\green255\blue255;\red255\green255\blue255;}\viewkind4\uc1\pard\f0 )";

// The converted form of the worked example
// "<te=24><B><u>Calculer</u></b><br>\r\n<ce=noir><te=18>1°/ <i>x</i> = 5<tab>
// <cf=jaune> 12 <cf=auto><gras><br>".
inline std::string WorkedExample() {
    return std::string(kSheetHeader) +
           "\\fs24 \\b \\ul Calculer\\ul0 \\b0 \\par \\cf1 \\fs18 1\xb0/ \\i x\\i0  = 5\\tab "
           "\\highlight12  12 \\highlight0 \\par }";
}

// A document in the style WordPad writes.
inline constexpr std::string_view kWordPadSample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 "
    "Calibri;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang12 Bonjour \\b gras\\b0  et \\i "
    "italique\\i0 .\\par\r\n"
    "\\f1\\fs18 x\\super 2\\nosupersub  \\cf1 rouge\\cf0  \\highlight2 surlign\\'e9\\highlight0"
    "\\par\r\n"
    "}\r\n";

// A document in the style LibreOffice Writer writes.
inline constexpr std::string_view kLibreOfficeSample =
    "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 "
    "Symbol;}{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}{\\f3\\froman\\fprq2\\fcharset0 Liberation "
    "Serif{\\*\\falt Times New Roman};}{\\f4\\fswiss\\fprq2\\fcharset0 Liberation Sans{\\*\\falt "
    "Arial};}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\n"
    "{\\stylesheet{\\s0\\snext0\\hich\\af5\\dbch\\af6\\afs24\\alang1081\\ltrch\\lang1036"
    "\\langfe2052\\hich\\f3\\loch\\f3\\fs24\\lang1036 Normal;}\n"
    "{\\s15\\sbasedon0\\snext16\\hich\\af5\\dbch\\af6\\afs28\\loch\\f4\\fs28 Heading;}}\n"
    "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}"
    "{\\info{\\creatim\\yr2024\\mo3\\dy1\\hr10\\min5}{\\revtim\\yr2024\\mo3\\dy1\\hr10\\min6}"
    "{\\printim\\yr0\\mo0\\dy0\\hr0\\min0}}{\\*\\userprops}\\deftab709\n"
    "\\hyphauto1\\viewscale100\n"
    "{\\*\\pgdsctbl\n"
    "{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\marglsxn1134\\margrsxn1134\\margtsxn1134"
    "\\margbsxn1134\\pgdscnxt0 Default Page Style;}}\n"
    "\\formshade\\paperh16838\\paperw11906\\margl1134\\margr1134\\margt1134\\margb1134\\sectd"
    "\\sbknone\\pgndec\\sftnnar\\saftnnrlc\\sectunlocked1\\pgwsxn11906\\pghsxn16838\\ftnbj"
    "\\ftnstart1\\ftnrstcont\\ftnnar\\aenddoc\\aftnrstcont\\aftnstart1\\aftnnrlc\n"
    "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\hich\\af5\\dbch\\af6\\afs24\\alang1081"
    "\\ltrch\\lang1036\\langfe2052\\hich\\f3\\loch\\f3\\fs24\\lang1036{\\rtlch \\ltrch\\loch\\f2"
    "\\fs26\\b\n"
    "Calculer}{\\rtlch \\ltrch\\loch\n"
    " : }{\\rtlch \\ltrch\\loch\\i\n"
    "x}{\\rtlch \\ltrch\\loch\\super\n"
    "2}{\\rtlch \\ltrch\\loch\n"
    " = 5 }{\\rtlch \\ltrch\\loch\\cf2\\ul\\ulc0\n"
    "bleu}{\\rtlch \\ltrch\\loch\\highlight3\n"
    " 12 }{\\rtlch \\ltrch\\loch\\strike\n"
    "barr\\u233\\'e9}\n"
    "\\par \\pard\\plain \\s0\\hich\\af5\\dbch\\af6\\afs24\\alang1081\\ltrch\\lang1036"
    "\\langfe2052\\hich\\f3\\loch\\f3\\fs24\\lang1036\\rtlch \\ltrch\\loch\n"
    "Ligne {\\rtlch \\ltrch\\loch\\f1 a}\\tab fin\n"
    "\\par }";

} // namespace vorn::test
