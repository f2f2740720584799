// Error codes. 0 is success; 1000 to 1498 are the built-in errors, each also a script constant
// under its ERR_ name; 1499 and above are the program's own errors, numbered as it registers them.
// Codes 1249 and 1406 to 1408 are built-in but have no name. Codes 1 to 999 are not error codes
// (a command returns its result count there).
#pragma once

#include <cstdint>

namespace qm {

inline constexpr int32_t ERR_FIRST_BUILTIN = 1000;
inline constexpr int32_t ERR_LAST_BUILTIN = 1498;
inline constexpr int32_t ERR_FIRST_USER = 1499;

inline constexpr int32_t ERR_NONE = 0;
inline constexpr int32_t ERR_MEM = 1000;
inline constexpr int32_t ERR_UNIMPLCMD = 1001;
inline constexpr int32_t ERR_NORETVAL = 1002;
inline constexpr int32_t ERR_USERABORT = 1003;
inline constexpr int32_t ERR_SCREEN = 1004;
inline constexpr int32_t ERR_WRITE = 1005;
inline constexpr int32_t ERR_UNTERMINTDSTR = 1006;
inline constexpr int32_t ERR_UNKNOWNCOND = 1007;
inline constexpr int32_t ERR_MISSINGSEPARTR = 1008;
inline constexpr int32_t ERR_READ = 1009;
inline constexpr int32_t ERR_WINDOW = 1010;
inline constexpr int32_t ERR_ELSEWOIF = 1011;
inline constexpr int32_t ERR_ENDIFWOIF = 1012;
inline constexpr int32_t ERR_IFWOENDIF = 1013;
inline constexpr int32_t ERR_MISSINGPARAMTR = 1014;
inline constexpr int32_t ERR_FORWONEXT = 1015;
inline constexpr int32_t ERR_NEXTWOFOR = 1016;
inline constexpr int32_t ERR_WHILEWOWEND = 1017;
inline constexpr int32_t ERR_SYNTAXERROR = 1018;
inline constexpr int32_t ERR_WRONGDTYPE = 1019;
inline constexpr int32_t ERR_VARSYNTAX = 1020;
inline constexpr int32_t ERR_WENDWOWHILE = 1021;
inline constexpr int32_t ERR_UNKNOWNCMD = 1022;
inline constexpr int32_t ERR_MISSINGBRACKET = 1023;
inline constexpr int32_t ERR_VALUEEXPECTED = 1024;
inline constexpr int32_t ERR_OPENLIB = 1025;
inline constexpr int32_t ERR_VAREXPECTED = 1026;
inline constexpr int32_t ERR_LABINFOR = 1027;
inline constexpr int32_t ERR_LABINIF = 1028;
inline constexpr int32_t ERR_LABINWHILE = 1029;
inline constexpr int32_t ERR_WRONGOP = 1030;
inline constexpr int32_t ERR_GETDISKOBJ = 1031;
inline constexpr int32_t ERR_EVNTEXPCTED = 1032;
inline constexpr int32_t ERR_EMPTYOBJ = 1033;
inline constexpr int32_t ERR_EMPTYSCRIPT = 1034;
inline constexpr int32_t ERR_COMMENTSTRUCT = 1035;
inline constexpr int32_t ERR_ALRDYDECLRD = 1036;
inline constexpr int32_t ERR_WRONGFLOAT = 1037;
inline constexpr int32_t ERR_REQUIREFIELD = 1038;
inline constexpr int32_t ERR_OUTOFRANGE = 1039;
inline constexpr int32_t ERR_RETWOGOSUB = 1040;
inline constexpr int32_t ERR_FINDARRAY = 1041;
inline constexpr int32_t ERR_FINDCST = 1042;
inline constexpr int32_t ERR_LOCK = 1043;
inline constexpr int32_t ERR_LOADPICTURE = 1044;
inline constexpr int32_t ERR_READFILE = 1045;
inline constexpr int32_t ERR_NOTPROTRACKER = 1046;
inline constexpr int32_t ERR_UNKNOWNSEQ = 1047;
inline constexpr int32_t ERR_DIRLOCK = 1048;
inline constexpr int32_t ERR_KEYWORD = 1049;
inline constexpr int32_t ERR_OSVERSION = 1050;
inline constexpr int32_t ERR_FREEABGPIC = 1051;
inline constexpr int32_t ERR_WRITEFILE = 1052;
inline constexpr int32_t ERR_VERSION = 1053;
inline constexpr int32_t ERR_NOFUNCTION = 1054;
inline constexpr int32_t ERR_WRONGUSAGE = 1055;
inline constexpr int32_t ERR_SELECTBG = 1056;
inline constexpr int32_t ERR_ARRAYDECLA = 1057;
inline constexpr int32_t ERR_CMDASVAR = 1058;
inline constexpr int32_t ERR_CONFIG = 1059;
inline constexpr int32_t ERR_ARGS = 1060;
inline constexpr int32_t ERR_DOUBLEDECLA = 1061;
inline constexpr int32_t ERR_EQUALEXPECTED = 1062;
inline constexpr int32_t ERR_OPENANIM = 1063;
inline constexpr int32_t ERR_OPENFONT = 1064;
inline constexpr int32_t ERR_OPENSOUND = 1065;
inline constexpr int32_t ERR_INTERNAL = 1066;
inline constexpr int32_t ERR_PUBSCREEN = 1067;
inline constexpr int32_t ERR_BRUSHLINK = 1068;
inline constexpr int32_t ERR_WRONGID = 1069;
inline constexpr int32_t ERR_AUDIODEVICE = 1070;
inline constexpr int32_t ERR_VARLENGTH = 1071;
inline constexpr int32_t ERR_LABELDECLA = 1072;
inline constexpr int32_t ERR_LABELDOUBLE = 1073;
inline constexpr int32_t ERR_NOKEYWORDS = 1074;
inline constexpr int32_t ERR_NOCONSTANTS = 1075;
inline constexpr int32_t ERR_SEEK = 1076;
inline constexpr int32_t ERR_CSTDOUBLEDEF = 1077;
inline constexpr int32_t ERR_NOLAYERS = 1078;
inline constexpr int32_t ERR_LAYERSUPPORT = 1079;
inline constexpr int32_t ERR_UNKNOWNATTR = 1080;
inline constexpr int32_t ERR_LAYERRANGE = 1081;
inline constexpr int32_t ERR_SELECTBRUSH = 1082;
inline constexpr int32_t ERR_POINTERFORMAT = 1083;
inline constexpr int32_t ERR_CREATEDIR = 1084;
inline constexpr int32_t ERR_DISPLAYSIZE = 1085;
inline constexpr int32_t ERR_DISPLAYDESKTOP = 1086;
inline constexpr int32_t ERR_GFXLIB = 1087;
inline constexpr int32_t ERR_RENDER = 1088;
inline constexpr int32_t ERR_ZERODIVISION = 1089;
inline constexpr int32_t ERR_COPROC = 1090;
inline constexpr int32_t ERR_UNKNOWN = 1091;
inline constexpr int32_t ERR_STRINGCST = 1092;
inline constexpr int32_t ERR_LABINFUNC = 1093;
inline constexpr int32_t ERR_ANIMFRAME = 1094;
inline constexpr int32_t ERR_REPEATWOUNTIL = 1095;
inline constexpr int32_t ERR_UNTILWOREPEAT = 1096;
inline constexpr int32_t ERR_FUNCWOENDFUNC = 1097;
inline constexpr int32_t ERR_ENDFUNCWOFUNC = 1098;
inline constexpr int32_t ERR_UNEXPECTEDSYM = 1099;
inline constexpr int32_t ERR_FUNCARGS = 1100;
inline constexpr int32_t ERR_NOLOOP = 1101;
inline constexpr int32_t ERR_TOKENEXPECTED = 1102;
inline constexpr int32_t ERR_BRACKETOPEN = 1103;
inline constexpr int32_t ERR_BRACKETCLOSE = 1104;
inline constexpr int32_t ERR_BRACEOPEN = 1105;
inline constexpr int32_t ERR_BRACECLOSE = 1106;
inline constexpr int32_t ERR_SQBRACKETOPEN = 1107;
inline constexpr int32_t ERR_SQBRACKETCLOSE = 1108;
inline constexpr int32_t ERR_NOCOMMA = 1109;
inline constexpr int32_t ERR_SYNTAXLEVELS = 1110;
inline constexpr int32_t ERR_COMPLEXWHILE = 1111;
inline constexpr int32_t ERR_NOCHAR = 1112;
inline constexpr int32_t ERR_CHRCSTLEN = 1113;
inline constexpr int32_t ERR_CHRCSTEMPTY = 1114;
inline constexpr int32_t ERR_HEXPOINT = 1115;
inline constexpr int32_t ERR_NUMCONCAT = 1116;
inline constexpr int32_t ERR_MAXLOCALS = 1117;
inline constexpr int32_t ERR_MAXUPVALS = 1118;
inline constexpr int32_t ERR_MAXPARAMS = 1119;
inline constexpr int32_t ERR_CONITEMS = 1120;
inline constexpr int32_t ERR_MAXLINES = 1121;
inline constexpr int32_t ERR_COMPLEXEXPR = 1122;
inline constexpr int32_t ERR_CTRLSTRUCT = 1123;
inline constexpr int32_t ERR_NOCOLON = 1124;
inline constexpr int32_t ERR_CASECST = 1125;
inline constexpr int32_t ERR_SWCHWOENDSWCH = 1126;
inline constexpr int32_t ERR_ENDSWCHWOSWCH = 1127;
inline constexpr int32_t ERR_BLKWOENDBLK = 1128;
inline constexpr int32_t ERR_ENDBLKWOBLK = 1129;
inline constexpr int32_t ERR_NUMSTRCMP = 1130;
inline constexpr int32_t ERR_CONCAT = 1131;
inline constexpr int32_t ERR_TABLEDECLA = 1132;
inline constexpr int32_t ERR_FUNCDECLA = 1133;
inline constexpr int32_t ERR_INTERNAL1 = 1134;
inline constexpr int32_t ERR_STACK = 1135;
inline constexpr int32_t ERR_MEMCODE = 1136;
inline constexpr int32_t ERR_MEMCST = 1137;
inline constexpr int32_t ERR_NUMEXPECTED = 1138;
inline constexpr int32_t ERR_STREXPECTED = 1139;
inline constexpr int32_t ERR_TABEXPECTED = 1140;
inline constexpr int32_t ERR_READONLY = 1141;
inline constexpr int32_t ERR_WRITEONLY = 1142;
inline constexpr int32_t ERR_DELETEFILE = 1143;
inline constexpr int32_t ERR_EXAMINE = 1144;
inline constexpr int32_t ERR_RENAME = 1145;
inline constexpr int32_t ERR_MEMRANGE = 1146;
inline constexpr int32_t ERR_SELECTMASK = 1147;
inline constexpr int32_t ERR_MODIFYABG = 1148;
inline constexpr int32_t ERR_MODIFYABR = 1149;
inline constexpr int32_t ERR_FUNCJMP = 1150;
inline constexpr int32_t ERR_REVDWORD = 1151;
inline constexpr int32_t ERR_LOCKBMAP = 1152;
inline constexpr int32_t ERR_PALSCREEN = 1153;
inline constexpr int32_t ERR_NEGCOORDS = 1154;
inline constexpr int32_t ERR_NOANMLAYER = 1155;
inline constexpr int32_t ERR_BRUSHSIZE = 1156;
inline constexpr int32_t ERR_ENDWITHWOWITH = 1157;
inline constexpr int32_t ERR_WITHWOENDWITH = 1158;
inline constexpr int32_t ERR_FIELDINIT = 1159;
inline constexpr int32_t ERR_LABMAINBLK = 1160;
inline constexpr int32_t ERR_NAMEUSED = 1161;
inline constexpr int32_t ERR_LAYERSOFF = 1162;
inline constexpr int32_t ERR_LAYERSON = 1163;
inline constexpr int32_t ERR_NOLOOPCONT = 1164;
inline constexpr int32_t ERR_LOOPRANGE = 1165;
inline constexpr int32_t ERR_INTEXPECTED = 1166;
inline constexpr int32_t ERR_SELECTALPHACHANNEL = 1167;
inline constexpr int32_t ERR_PIXELRANGE = 1168;
inline constexpr int32_t ERR_DATATYPEALPHA = 1169;
inline constexpr int32_t ERR_NOALPHA = 1170;
inline constexpr int32_t ERR_PIXELFORMAT = 1171;
inline constexpr int32_t ERR_NOMASKBRUSH = 1172;
inline constexpr int32_t ERR_FOREVERWOREPEAT = 1173;
inline constexpr int32_t ERR_FINDBRUSH = 1174;
inline constexpr int32_t ERR_FINDTEXTOBJECT = 1175;
inline constexpr int32_t ERR_FINDANIM = 1176;
inline constexpr int32_t ERR_FINDBGPIC = 1177;
inline constexpr int32_t ERR_FINDSAMPLE = 1178;
inline constexpr int32_t ERR_FINDFILE = 1179;
inline constexpr int32_t ERR_FINDMEMBLK = 1180;
inline constexpr int32_t ERR_FINDTIMER = 1181;
inline constexpr int32_t ERR_FINDMOVE = 1182;
inline constexpr int32_t ERR_STRORNUM = 1183;
inline constexpr int32_t ERR_PERCENTFORMAT = 1184;
inline constexpr int32_t ERR_FUNCEXPECTED = 1185;
inline constexpr int32_t ERR_UNMPARENTHESES = 1186;
inline constexpr int32_t ERR_WRONGOPCST = 1187;
inline constexpr int32_t ERR_FINDBUTTON = 1188;
inline constexpr int32_t ERR_NUMTABLEARG = 1189;
inline constexpr int32_t ERR_NUMCALLBACK = 1190;
inline constexpr int32_t ERR_BGPICBUTTON = 1191;
inline constexpr int32_t ERR_WRONGHEX = 1192;
inline constexpr int32_t ERR_TOOMANYARGS = 1193;
inline constexpr int32_t ERR_FINDINTERVAL = 1194;
inline constexpr int32_t ERR_FINDTIMEOUT = 1195;
inline constexpr int32_t ERR_LOADSOUND = 1196;
inline constexpr int32_t ERR_STRINGEXPECTED = 1197;
inline constexpr int32_t ERR_UNEXPECTEDEOF = 1198;
inline constexpr int32_t ERR_VMMISMATCH = 1199;
inline constexpr int32_t ERR_BADINTEGER = 1200;
inline constexpr int32_t ERR_BADUPVALUES = 1201;
inline constexpr int32_t ERR_BADCONSTANT = 1202;
inline constexpr int32_t ERR_BADBYTECODE = 1203;
inline constexpr int32_t ERR_BADSIGNATURE = 1204;
inline constexpr int32_t ERR_UNKNUMFMT = 1205;
inline constexpr int32_t ERR_INVNEXTKEY = 1206;
inline constexpr int32_t ERR_TABLEOVERFLOW = 1207;
inline constexpr int32_t ERR_TABLEINDEX = 1208;
inline constexpr int32_t ERR_APPLETVERSION = 1209;
inline constexpr int32_t ERR_UNKNOWNSEC = 1210;
inline constexpr int32_t ERR_NOAPPLET = 1211;
inline constexpr int32_t ERR_PLAYERCOMP = 1212;
inline constexpr int32_t ERR_FILEEXIST = 1213;
inline constexpr int32_t ERR_MAGICKEY = 1214;
inline constexpr int32_t ERR_FINDCLIPREGION = 1215;
inline constexpr int32_t ERR_FUNCREMOVED = 1216;
inline constexpr int32_t ERR_COORDSRANGE = 1217;
inline constexpr int32_t ERR_BADDIMENSIONS = 1218;
inline constexpr int32_t ERR_FINDSPRITE = 1219;
inline constexpr int32_t ERR_SPRITEONSCREEN = 1220;
inline constexpr int32_t ERR_PREPROCSYM = 1221;
inline constexpr int32_t ERR_UNKNOWNTAG = 1222;
inline constexpr int32_t ERR_MASKNALPHA = 1223;
inline constexpr int32_t ERR_NOSPRITES = 1224;
inline constexpr int32_t ERR_WRONGCLIPREG = 1225;
inline constexpr int32_t ERR_NOCLIPREG = 1226;
inline constexpr int32_t ERR_MODIFYSPRITE = 1227;
inline constexpr int32_t ERR_MODIFYSPRITE2 = 1228;
inline constexpr int32_t ERR_ENDDOUBLEBUFFER = 1229;
inline constexpr int32_t ERR_DBTRANSWIN = 1230;
inline constexpr int32_t ERR_FINDMUSIC = 1231;
inline constexpr int32_t ERR_MUSNOTPLYNG = 1232;
inline constexpr int32_t ERR_SEEKRANGE = 1233;
inline constexpr int32_t ERR_MIXMUSMOD = 1234;
inline constexpr int32_t ERR_UNKNOWNMUSFMT = 1235;
inline constexpr int32_t ERR_MUSFMTSUPPORT = 1236;
inline constexpr int32_t ERR_TABLEORNIL = 1237;
inline constexpr int32_t ERR_PROTMETATABLE = 1238;
inline constexpr int32_t ERR_ERRORCALLED = 1239;
inline constexpr int32_t ERR_ADDTASK = 1240;
inline constexpr int32_t ERR_TASKSETUP = 1241;
inline constexpr int32_t ERR_READRANGE = 1242;
inline constexpr int32_t ERR_BACKFILL = 1243;
inline constexpr int32_t ERR_NODOUBLEBUFFER = 1244;
inline constexpr int32_t ERR_STRTOOSHORT = 1245;
inline constexpr int32_t ERR_CACHEERROR = 1246;
inline constexpr int32_t ERR_STRTABLEARG = 1247;
inline constexpr int32_t ERR_APPLET = 1248;
inline constexpr int32_t ERR_NOTADIR = 1250;
inline constexpr int32_t ERR_UNKTEXTFMT = 1251;
inline constexpr int32_t ERR_TEXTSYNTAX = 1252;
inline constexpr int32_t ERR_TEXTARG = 1253;
inline constexpr int32_t ERR_DEFFONT = 1254;
inline constexpr int32_t ERR_ANTIALIAS = 1255;
inline constexpr int32_t ERR_CREATEPORT = 1256;
inline constexpr int32_t ERR_NOSCRIPTPORT = 1257;
inline constexpr int32_t ERR_SCRIPTPORT = 1258;
inline constexpr int32_t ERR_STRCALLBACK = 1259;
inline constexpr int32_t ERR_PORTNOTAVAIL = 1260;
inline constexpr int32_t ERR_BAD8SVX = 1261;
inline constexpr int32_t ERR_CMPUNSUPPORTED = 1262;
inline constexpr int32_t ERR_BADWAVE = 1263;
inline constexpr int32_t ERR_MUSNOTPAUSED = 1264;
inline constexpr int32_t ERR_CONFIG2 = 1265;
inline constexpr int32_t ERR_EXETYPE = 1266;
inline constexpr int32_t ERR_OPENAUDIO = 1267;
inline constexpr int32_t ERR_DATATYPESAVE = 1268;
inline constexpr int32_t ERR_DATATYPESAVE2 = 1269;
inline constexpr int32_t ERR_LOADFRAME = 1270;
inline constexpr int32_t ERR_LAYERSUPPORT2 = 1271;
inline constexpr int32_t ERR_SHORTIF = 1272;
inline constexpr int32_t ERR_SYSTOOOLD = 1273;
inline constexpr int32_t ERR_KEYNOTFOUND = 1274;
inline constexpr int32_t ERR_FINDPORT = 1275;
inline constexpr int32_t ERR_TOOSMALL2 = 1276;
inline constexpr int32_t ERR_SAVEPNG = 1277;
inline constexpr int32_t ERR_NOTIGER = 1278;
inline constexpr int32_t ERR_STREAMASSAMPLE = 1279;
inline constexpr int32_t ERR_AUDIOCONVERTER = 1280;
inline constexpr int32_t ERR_RENDERCALLBACK = 1281;
inline constexpr int32_t ERR_SETFILEATTR = 1282;
inline constexpr int32_t ERR_SETFILEDATE = 1283;
inline constexpr int32_t ERR_SETFILECOMMENT = 1284;
inline constexpr int32_t ERR_INVALIDDATE = 1285;
inline constexpr int32_t ERR_LOCK2 = 1286;
inline constexpr int32_t ERR_THREAD = 1287;
inline constexpr int32_t ERR_UNSUPPORTEDFEAT = 1288;
inline constexpr int32_t ERR_NOCHANNEL = 1289;
inline constexpr int32_t ERR_CREATEEVENT = 1290;
inline constexpr int32_t ERR_DSOUNDNOTIFY = 1291;
inline constexpr int32_t ERR_DSOUNDNOTIPOS = 1292;
inline constexpr int32_t ERR_DSOUNDPLAY = 1293;
inline constexpr int32_t ERR_AFILEPROP = 1294;
inline constexpr int32_t ERR_DIRECTSHOW = 1295;
inline constexpr int32_t ERR_REGCLASS = 1296;
inline constexpr int32_t ERR_TIMER = 1297;
inline constexpr int32_t ERR_SEMAPHORE = 1298;
inline constexpr int32_t ERR_8OR16BITONLY = 1299;
inline constexpr int32_t ERR_DISPMINIMIZED = 1300;
inline constexpr int32_t ERR_COMMODITY = 1301;
inline constexpr int32_t ERR_MSGPORT = 1302;
inline constexpr int32_t ERR_TEXTCONVERT = 1303;
inline constexpr int32_t ERR_ATSUI = 1304;
inline constexpr int32_t ERR_LFSYNTAX = 1305;
inline constexpr int32_t ERR_ZLIBIO = 1306;
inline constexpr int32_t ERR_ZLIBSTREAM = 1307;
inline constexpr int32_t ERR_ZLIBVERSION = 1308;
inline constexpr int32_t ERR_ZLIBDATA = 1309;
inline constexpr int32_t ERR_PAKFORMAT = 1310;
inline constexpr int32_t ERR_NOTXTLAYER = 1311;
inline constexpr int32_t ERR_DDAUTOSCALE = 1312;
inline constexpr int32_t ERR_NODISLAYERS = 1313;
inline constexpr int32_t ERR_LOCKEDOBJ = 1314;
inline constexpr int32_t ERR_WRITEJPEG = 1315;
inline constexpr int32_t ERR_DDRECVIDEO = 1316;
inline constexpr int32_t ERR_WRONGCMDRECVIDEO = 1317;
inline constexpr int32_t ERR_FINDDIR = 1318;
inline constexpr int32_t ERR_MUSNOTPLYNG2 = 1319;
inline constexpr int32_t ERR_FINDPOINTER = 1320;
inline constexpr int32_t ERR_POINTERIMG = 1321;
inline constexpr int32_t ERR_READFUNC = 1322;
inline constexpr int32_t ERR_BADBASE64 = 1323;
inline constexpr int32_t ERR_NOQMFUNC = 1324;
inline constexpr int32_t ERR_SPRITEONSCREEN2 = 1325;
inline constexpr int32_t ERR_FINDASYNCDRAW = 1326;
inline constexpr int32_t ERR_FREECURPOINTER = 1327;
inline constexpr int32_t ERR_READTABLE = 1328;
inline constexpr int32_t ERR_LAYERSWITCH = 1329;
inline constexpr int32_t ERR_VIDEOSTRATEGY = 1330;
inline constexpr int32_t ERR_WRONGVSTRATEGY = 1331;
inline constexpr int32_t ERR_FINDFONT = 1332;
inline constexpr int32_t ERR_LINKFONT = 1333;
inline constexpr int32_t ERR_FINDFONT2 = 1334;
inline constexpr int32_t ERR_FONTPATH = 1335;
inline constexpr int32_t ERR_FONTFORMAT = 1336;
inline constexpr int32_t ERR_NOCOORDCST = 1337;
inline constexpr int32_t ERR_ANIMDISK = 1338;
inline constexpr int32_t ERR_SELECTANIM = 1339;
inline constexpr int32_t ERR_MODIFYAANIM = 1340;
inline constexpr int32_t ERR_FINDANIMSTREAM = 1341;
inline constexpr int32_t ERR_NEEDNEWEROS = 1342;
inline constexpr int32_t ERR_SMODEALPHA = 1343;
inline constexpr int32_t ERR_FINDDISPLAY = 1344;
inline constexpr int32_t ERR_MULTIBGPIC = 1345;
inline constexpr int32_t ERR_FREEADISPLAY = 1346;
inline constexpr int32_t ERR_CLOSEDDISPDRAW = 1347;
inline constexpr int32_t ERR_ADDAPPICON = 1348;
inline constexpr int32_t ERR_SCREENSIZE = 1349;
inline constexpr int32_t ERR_DIFFDEPTH = 1350;
inline constexpr int32_t ERR_VIDRECMULTI = 1351;
inline constexpr int32_t ERR_VIDRECTRANS = 1352;
inline constexpr int32_t ERR_NEEDOSUPDATE = 1353;
inline constexpr int32_t ERR_SYSIMAGE = 1354;
inline constexpr int32_t ERR_SYSBUTTON = 1355;
inline constexpr int32_t ERR_OPENANIM2 = 1356;
inline constexpr int32_t ERR_OPENSOUND2 = 1357;
inline constexpr int32_t ERR_LOADPICTURE2 = 1358;
inline constexpr int32_t ERR_SIGNAL = 1359;
inline constexpr int32_t ERR_ADDAPPWIN = 1360;
inline constexpr int32_t ERR_CLIPFORMAT = 1361;
inline constexpr int32_t ERR_SORTFUNC = 1362;
inline constexpr int32_t ERR_INISYNTAX = 1363;
inline constexpr int32_t ERR_CLIPOPEN = 1364;
inline constexpr int32_t ERR_CLIPREAD = 1365;
inline constexpr int32_t ERR_SCALEBGPIC = 1366;
inline constexpr int32_t ERR_SELECTBGPIC = 1367;
inline constexpr int32_t ERR_CLIPWRITE = 1368;
inline constexpr int32_t ERR_FINDLAYER = 1369;
inline constexpr int32_t ERR_INVINSERT = 1370;
inline constexpr int32_t ERR_ALREADYASYNC = 1371;
inline constexpr int32_t ERR_REMADLAYER = 1372;
inline constexpr int32_t ERR_NAMETOOLONG = 1373;
inline constexpr int32_t ERR_GROUPNAMEUSED = 1374;
inline constexpr int32_t ERR_REGISTRYREAD = 1375;
inline constexpr int32_t ERR_REGISTRYWRITE = 1376;
inline constexpr int32_t ERR_SELECTBGPIC2 = 1377;
inline constexpr int32_t ERR_MODIFYABGPIC = 1378;
inline constexpr int32_t ERR_ADFWRONGDISP = 1379;
inline constexpr int32_t ERR_ADFFREEDISP = 1380;
inline constexpr int32_t ERR_SPRITELINK = 1381;
inline constexpr int32_t ERR_WRONGSPRITESIZE = 1382;
inline constexpr int32_t ERR_TRANSBRUSH = 1383;
inline constexpr int32_t ERR_DINPUT = 1384;
inline constexpr int32_t ERR_JOYSTICK = 1385;
inline constexpr int32_t ERR_FT2 = 1386;
inline constexpr int32_t ERR_ICONDIMS = 1387;
inline constexpr int32_t ERR_BRUSHTYPE = 1388;
inline constexpr int32_t ERR_TFVBRUSH = 1389;
inline constexpr int32_t ERR_BGPICTYPE = 1390;
inline constexpr int32_t ERR_TFVBRUSHBGPIC = 1391;
inline constexpr int32_t ERR_TFVBGPICBRUSH = 1392;
inline constexpr int32_t ERR_FINDPATH = 1393;
inline constexpr int32_t ERR_EMPTYPATH = 1394;
inline constexpr int32_t ERR_VFONTTYPE = 1395;
inline constexpr int32_t ERR_VFONT = 1396;
inline constexpr int32_t ERR_CREATESHORTCUT = 1397;
inline constexpr int32_t ERR_NOACCESS = 1398;
inline constexpr int32_t ERR_BADPLATFORM = 1399;
inline constexpr int32_t ERR_NEWQMPLUGIN = 1400;
inline constexpr int32_t ERR_PLUGINVER = 1401;
inline constexpr int32_t ERR_PLUGINARCH = 1402;
inline constexpr int32_t ERR_IMAGEERROR = 1403;
inline constexpr int32_t ERR_RENDERADLAYER = 1404;
inline constexpr int32_t ERR_NOJOYATPORT = 1405;
inline constexpr int32_t ERR_FINDCLIENT = 1409;
inline constexpr int32_t ERR_SOCKET = 1410;
inline constexpr int32_t ERR_OPENSOCKET = 1411;
inline constexpr int32_t ERR_FINDSERVER = 1412;
inline constexpr int32_t ERR_SOCKOPT = 1413;
inline constexpr int32_t ERR_PEERNAME = 1414;
inline constexpr int32_t ERR_HOSTNAME = 1415;
inline constexpr int32_t ERR_UNKPROTOCOL = 1416;
inline constexpr int32_t ERR_BADURL = 1417;
inline constexpr int32_t ERR_HTTPERROR = 1418;
inline constexpr int32_t ERR_HTTPTE = 1419;
inline constexpr int32_t ERR_SENDDATA = 1420;
inline constexpr int32_t ERR_FTPERROR = 1421;
inline constexpr int32_t ERR_RECVTIMEOUT = 1422;
inline constexpr int32_t ERR_RECVCLOSED = 1423;
inline constexpr int32_t ERR_RECVUNKNOWN = 1424;
inline constexpr int32_t ERR_FILENOTFOUND = 1425;
inline constexpr int32_t ERR_FTPAUTH = 1426;
inline constexpr int32_t ERR_UPLOADFORBIDDEN = 1427;
inline constexpr int32_t ERR_SOCKNAME = 1428;
inline constexpr int32_t ERR_FINDUDPOBJECT = 1429;
inline constexpr int32_t ERR_BADIP = 1430;
inline constexpr int32_t ERR_XDISPLAY = 1431;
inline constexpr int32_t ERR_CREATEGC = 1432;
inline constexpr int32_t ERR_PIPE = 1433;
inline constexpr int32_t ERR_GTK = 1434;
inline constexpr int32_t ERR_NEEDCOMPOSITE = 1435;
inline constexpr int32_t ERR_NOARGBVISUAL = 1436;
inline constexpr int32_t ERR_XFIXES = 1437;
inline constexpr int32_t ERR_XCURSOR = 1438;
inline constexpr int32_t ERR_ALSAPCM = 1439;
inline constexpr int32_t ERR_SETENV = 1440;
inline constexpr int32_t ERR_UNSETENV = 1441;
inline constexpr int32_t ERR_XF86VIDMODEEXT = 1442;
inline constexpr int32_t ERR_NODISPMODES = 1443;
inline constexpr int32_t ERR_UNKNOWNFILTER = 1444;
inline constexpr int32_t ERR_NOFILTERNAME = 1445;
inline constexpr int32_t ERR_TABEXPECTED2 = 1446;
inline constexpr int32_t ERR_SMPRANGE = 1447;
inline constexpr int32_t ERR_NOTENOUGHPIXELS = 1448;
inline constexpr int32_t ERR_FINDVIDEO = 1449;
inline constexpr int32_t ERR_LOADVIDEO = 1450;
inline constexpr int32_t ERR_VIDNOTPLAYING = 1451;
inline constexpr int32_t ERR_VIDNOTPAUSED = 1452;
inline constexpr int32_t ERR_COLORSPACE = 1453;
inline constexpr int32_t ERR_QUICKTIME = 1454;
inline constexpr int32_t ERR_VIDATTACHED = 1455;
inline constexpr int32_t ERR_FGRABVIDSTATE = 1456;
inline constexpr int32_t ERR_VIDEOFRAME = 1457;
inline constexpr int32_t ERR_VIDEOTRANS = 1458;
inline constexpr int32_t ERR_LOADPLUGIN = 1459;
inline constexpr int32_t ERR_VECGFXPLUGIN = 1460;
inline constexpr int32_t ERR_INVCAPIDX = 1461;
inline constexpr int32_t ERR_INVPATCAP = 1462;
inline constexpr int32_t ERR_MALFORMPAT1 = 1463;
inline constexpr int32_t ERR_MALFORMPAT2 = 1464;
inline constexpr int32_t ERR_UNBALANCEDPAT = 1465;
inline constexpr int32_t ERR_TOOMANYCAPTURES = 1466;
inline constexpr int32_t ERR_MISSINGOPBRACK = 1467;
inline constexpr int32_t ERR_UNFINISHEDCAPTURE = 1468;
inline constexpr int32_t ERR_TFIMAGE = 1469;
inline constexpr int32_t ERR_DRAWPATH = 1470;
inline constexpr int32_t ERR_MOBILE = 1471;
inline constexpr int32_t ERR_DDMOBILE = 1472;
inline constexpr int32_t ERR_MULDISMOBILE = 1473;
inline constexpr int32_t ERR_TRANSBGMOBILE = 1474;
inline constexpr int32_t ERR_MODIFYPSMP = 1475;
inline constexpr int32_t ERR_TABCALLBACK = 1476;
inline constexpr int32_t ERR_BADCALLBACKRET = 1477;
inline constexpr int32_t ERR_NOCALLBACK = 1478;
inline constexpr int32_t ERR_LOWFREQ = 1479;
inline constexpr int32_t ERR_FINDLAYERDATA = 1480;
inline constexpr int32_t ERR_NODIRPATTERN = 1481;
inline constexpr int32_t ERR_SEEKFORMAT = 1482;
inline constexpr int32_t ERR_PLUGINTYPE = 1483;
inline constexpr int32_t ERR_NOMUSICCB = 1484;
inline constexpr int32_t ERR_NOFMBHANDLER = 1485;
inline constexpr int32_t ERR_UNKNOWNIMGOUT = 1486;
inline constexpr int32_t ERR_SAVEIMAGE = 1487;
inline constexpr int32_t ERR_UNKNOWNANMOUT = 1488;
inline constexpr int32_t ERR_SAVEANIM = 1489;
inline constexpr int32_t ERR_UNKNOWNSMPOUT = 1490;
inline constexpr int32_t ERR_SAVESAMPLE = 1491;
inline constexpr int32_t ERR_UDEXPECTED = 1492;
inline constexpr int32_t ERR_ASSERTFAILED = 1493;
inline constexpr int32_t ERR_REQUIREPLUGIN = 1494;
inline constexpr int32_t ERR_NOABSPATH = 1495;
inline constexpr int32_t ERR_FINDOBJECTDATA = 1496;
inline constexpr int32_t ERR_QMBRUSH = 1497;
inline constexpr int32_t ERR_QMBRUSHFUNC = 1498;

// The named codes in ascending order, for registering them as script constants and for listings.
struct ErrorName {
  const char* name;
  int32_t code;
};

inline constexpr ErrorName kErrorNames[] = {
    {"ERR_NONE", ERR_NONE},
    {"ERR_MEM", ERR_MEM},
    {"ERR_UNIMPLCMD", ERR_UNIMPLCMD},
    {"ERR_NORETVAL", ERR_NORETVAL},
    {"ERR_USERABORT", ERR_USERABORT},
    {"ERR_SCREEN", ERR_SCREEN},
    {"ERR_WRITE", ERR_WRITE},
    {"ERR_UNTERMINTDSTR", ERR_UNTERMINTDSTR},
    {"ERR_UNKNOWNCOND", ERR_UNKNOWNCOND},
    {"ERR_MISSINGSEPARTR", ERR_MISSINGSEPARTR},
    {"ERR_READ", ERR_READ},
    {"ERR_WINDOW", ERR_WINDOW},
    {"ERR_ELSEWOIF", ERR_ELSEWOIF},
    {"ERR_ENDIFWOIF", ERR_ENDIFWOIF},
    {"ERR_IFWOENDIF", ERR_IFWOENDIF},
    {"ERR_MISSINGPARAMTR", ERR_MISSINGPARAMTR},
    {"ERR_FORWONEXT", ERR_FORWONEXT},
    {"ERR_NEXTWOFOR", ERR_NEXTWOFOR},
    {"ERR_WHILEWOWEND", ERR_WHILEWOWEND},
    {"ERR_SYNTAXERROR", ERR_SYNTAXERROR},
    {"ERR_WRONGDTYPE", ERR_WRONGDTYPE},
    {"ERR_VARSYNTAX", ERR_VARSYNTAX},
    {"ERR_WENDWOWHILE", ERR_WENDWOWHILE},
    {"ERR_UNKNOWNCMD", ERR_UNKNOWNCMD},
    {"ERR_MISSINGBRACKET", ERR_MISSINGBRACKET},
    {"ERR_VALUEEXPECTED", ERR_VALUEEXPECTED},
    {"ERR_OPENLIB", ERR_OPENLIB},
    {"ERR_VAREXPECTED", ERR_VAREXPECTED},
    {"ERR_LABINFOR", ERR_LABINFOR},
    {"ERR_LABINIF", ERR_LABINIF},
    {"ERR_LABINWHILE", ERR_LABINWHILE},
    {"ERR_WRONGOP", ERR_WRONGOP},
    {"ERR_GETDISKOBJ", ERR_GETDISKOBJ},
    {"ERR_EVNTEXPCTED", ERR_EVNTEXPCTED},
    {"ERR_EMPTYOBJ", ERR_EMPTYOBJ},
    {"ERR_EMPTYSCRIPT", ERR_EMPTYSCRIPT},
    {"ERR_COMMENTSTRUCT", ERR_COMMENTSTRUCT},
    {"ERR_ALRDYDECLRD", ERR_ALRDYDECLRD},
    {"ERR_WRONGFLOAT", ERR_WRONGFLOAT},
    {"ERR_REQUIREFIELD", ERR_REQUIREFIELD},
    {"ERR_OUTOFRANGE", ERR_OUTOFRANGE},
    {"ERR_RETWOGOSUB", ERR_RETWOGOSUB},
    {"ERR_FINDARRAY", ERR_FINDARRAY},
    {"ERR_FINDCST", ERR_FINDCST},
    {"ERR_LOCK", ERR_LOCK},
    {"ERR_LOADPICTURE", ERR_LOADPICTURE},
    {"ERR_READFILE", ERR_READFILE},
    {"ERR_NOTPROTRACKER", ERR_NOTPROTRACKER},
    {"ERR_UNKNOWNSEQ", ERR_UNKNOWNSEQ},
    {"ERR_DIRLOCK", ERR_DIRLOCK},
    {"ERR_KEYWORD", ERR_KEYWORD},
    {"ERR_OSVERSION", ERR_OSVERSION},
    {"ERR_FREEABGPIC", ERR_FREEABGPIC},
    {"ERR_WRITEFILE", ERR_WRITEFILE},
    {"ERR_VERSION", ERR_VERSION},
    {"ERR_NOFUNCTION", ERR_NOFUNCTION},
    {"ERR_WRONGUSAGE", ERR_WRONGUSAGE},
    {"ERR_SELECTBG", ERR_SELECTBG},
    {"ERR_ARRAYDECLA", ERR_ARRAYDECLA},
    {"ERR_CMDASVAR", ERR_CMDASVAR},
    {"ERR_CONFIG", ERR_CONFIG},
    {"ERR_ARGS", ERR_ARGS},
    {"ERR_DOUBLEDECLA", ERR_DOUBLEDECLA},
    {"ERR_EQUALEXPECTED", ERR_EQUALEXPECTED},
    {"ERR_OPENANIM", ERR_OPENANIM},
    {"ERR_OPENFONT", ERR_OPENFONT},
    {"ERR_OPENSOUND", ERR_OPENSOUND},
    {"ERR_INTERNAL", ERR_INTERNAL},
    {"ERR_PUBSCREEN", ERR_PUBSCREEN},
    {"ERR_BRUSHLINK", ERR_BRUSHLINK},
    {"ERR_WRONGID", ERR_WRONGID},
    {"ERR_AUDIODEVICE", ERR_AUDIODEVICE},
    {"ERR_VARLENGTH", ERR_VARLENGTH},
    {"ERR_LABELDECLA", ERR_LABELDECLA},
    {"ERR_LABELDOUBLE", ERR_LABELDOUBLE},
    {"ERR_NOKEYWORDS", ERR_NOKEYWORDS},
    {"ERR_NOCONSTANTS", ERR_NOCONSTANTS},
    {"ERR_SEEK", ERR_SEEK},
    {"ERR_CSTDOUBLEDEF", ERR_CSTDOUBLEDEF},
    {"ERR_NOLAYERS", ERR_NOLAYERS},
    {"ERR_LAYERSUPPORT", ERR_LAYERSUPPORT},
    {"ERR_UNKNOWNATTR", ERR_UNKNOWNATTR},
    {"ERR_LAYERRANGE", ERR_LAYERRANGE},
    {"ERR_SELECTBRUSH", ERR_SELECTBRUSH},
    {"ERR_POINTERFORMAT", ERR_POINTERFORMAT},
    {"ERR_CREATEDIR", ERR_CREATEDIR},
    {"ERR_DISPLAYSIZE", ERR_DISPLAYSIZE},
    {"ERR_DISPLAYDESKTOP", ERR_DISPLAYDESKTOP},
    {"ERR_GFXLIB", ERR_GFXLIB},
    {"ERR_RENDER", ERR_RENDER},
    {"ERR_ZERODIVISION", ERR_ZERODIVISION},
    {"ERR_COPROC", ERR_COPROC},
    {"ERR_UNKNOWN", ERR_UNKNOWN},
    {"ERR_STRINGCST", ERR_STRINGCST},
    {"ERR_LABINFUNC", ERR_LABINFUNC},
    {"ERR_ANIMFRAME", ERR_ANIMFRAME},
    {"ERR_REPEATWOUNTIL", ERR_REPEATWOUNTIL},
    {"ERR_UNTILWOREPEAT", ERR_UNTILWOREPEAT},
    {"ERR_FUNCWOENDFUNC", ERR_FUNCWOENDFUNC},
    {"ERR_ENDFUNCWOFUNC", ERR_ENDFUNCWOFUNC},
    {"ERR_UNEXPECTEDSYM", ERR_UNEXPECTEDSYM},
    {"ERR_FUNCARGS", ERR_FUNCARGS},
    {"ERR_NOLOOP", ERR_NOLOOP},
    {"ERR_TOKENEXPECTED", ERR_TOKENEXPECTED},
    {"ERR_BRACKETOPEN", ERR_BRACKETOPEN},
    {"ERR_BRACKETCLOSE", ERR_BRACKETCLOSE},
    {"ERR_BRACEOPEN", ERR_BRACEOPEN},
    {"ERR_BRACECLOSE", ERR_BRACECLOSE},
    {"ERR_SQBRACKETOPEN", ERR_SQBRACKETOPEN},
    {"ERR_SQBRACKETCLOSE", ERR_SQBRACKETCLOSE},
    {"ERR_NOCOMMA", ERR_NOCOMMA},
    {"ERR_SYNTAXLEVELS", ERR_SYNTAXLEVELS},
    {"ERR_COMPLEXWHILE", ERR_COMPLEXWHILE},
    {"ERR_NOCHAR", ERR_NOCHAR},
    {"ERR_CHRCSTLEN", ERR_CHRCSTLEN},
    {"ERR_CHRCSTEMPTY", ERR_CHRCSTEMPTY},
    {"ERR_HEXPOINT", ERR_HEXPOINT},
    {"ERR_NUMCONCAT", ERR_NUMCONCAT},
    {"ERR_MAXLOCALS", ERR_MAXLOCALS},
    {"ERR_MAXUPVALS", ERR_MAXUPVALS},
    {"ERR_MAXPARAMS", ERR_MAXPARAMS},
    {"ERR_CONITEMS", ERR_CONITEMS},
    {"ERR_MAXLINES", ERR_MAXLINES},
    {"ERR_COMPLEXEXPR", ERR_COMPLEXEXPR},
    {"ERR_CTRLSTRUCT", ERR_CTRLSTRUCT},
    {"ERR_NOCOLON", ERR_NOCOLON},
    {"ERR_CASECST", ERR_CASECST},
    {"ERR_SWCHWOENDSWCH", ERR_SWCHWOENDSWCH},
    {"ERR_ENDSWCHWOSWCH", ERR_ENDSWCHWOSWCH},
    {"ERR_BLKWOENDBLK", ERR_BLKWOENDBLK},
    {"ERR_ENDBLKWOBLK", ERR_ENDBLKWOBLK},
    {"ERR_NUMSTRCMP", ERR_NUMSTRCMP},
    {"ERR_CONCAT", ERR_CONCAT},
    {"ERR_TABLEDECLA", ERR_TABLEDECLA},
    {"ERR_FUNCDECLA", ERR_FUNCDECLA},
    {"ERR_INTERNAL1", ERR_INTERNAL1},
    {"ERR_STACK", ERR_STACK},
    {"ERR_MEMCODE", ERR_MEMCODE},
    {"ERR_MEMCST", ERR_MEMCST},
    {"ERR_NUMEXPECTED", ERR_NUMEXPECTED},
    {"ERR_STREXPECTED", ERR_STREXPECTED},
    {"ERR_TABEXPECTED", ERR_TABEXPECTED},
    {"ERR_READONLY", ERR_READONLY},
    {"ERR_WRITEONLY", ERR_WRITEONLY},
    {"ERR_DELETEFILE", ERR_DELETEFILE},
    {"ERR_EXAMINE", ERR_EXAMINE},
    {"ERR_RENAME", ERR_RENAME},
    {"ERR_MEMRANGE", ERR_MEMRANGE},
    {"ERR_SELECTMASK", ERR_SELECTMASK},
    {"ERR_MODIFYABG", ERR_MODIFYABG},
    {"ERR_MODIFYABR", ERR_MODIFYABR},
    {"ERR_FUNCJMP", ERR_FUNCJMP},
    {"ERR_REVDWORD", ERR_REVDWORD},
    {"ERR_LOCKBMAP", ERR_LOCKBMAP},
    {"ERR_PALSCREEN", ERR_PALSCREEN},
    {"ERR_NEGCOORDS", ERR_NEGCOORDS},
    {"ERR_NOANMLAYER", ERR_NOANMLAYER},
    {"ERR_BRUSHSIZE", ERR_BRUSHSIZE},
    {"ERR_ENDWITHWOWITH", ERR_ENDWITHWOWITH},
    {"ERR_WITHWOENDWITH", ERR_WITHWOENDWITH},
    {"ERR_FIELDINIT", ERR_FIELDINIT},
    {"ERR_LABMAINBLK", ERR_LABMAINBLK},
    {"ERR_NAMEUSED", ERR_NAMEUSED},
    {"ERR_LAYERSOFF", ERR_LAYERSOFF},
    {"ERR_LAYERSON", ERR_LAYERSON},
    {"ERR_NOLOOPCONT", ERR_NOLOOPCONT},
    {"ERR_LOOPRANGE", ERR_LOOPRANGE},
    {"ERR_INTEXPECTED", ERR_INTEXPECTED},
    {"ERR_SELECTALPHACHANNEL", ERR_SELECTALPHACHANNEL},
    {"ERR_PIXELRANGE", ERR_PIXELRANGE},
    {"ERR_DATATYPEALPHA", ERR_DATATYPEALPHA},
    {"ERR_NOALPHA", ERR_NOALPHA},
    {"ERR_PIXELFORMAT", ERR_PIXELFORMAT},
    {"ERR_NOMASKBRUSH", ERR_NOMASKBRUSH},
    {"ERR_FOREVERWOREPEAT", ERR_FOREVERWOREPEAT},
    {"ERR_FINDBRUSH", ERR_FINDBRUSH},
    {"ERR_FINDTEXTOBJECT", ERR_FINDTEXTOBJECT},
    {"ERR_FINDANIM", ERR_FINDANIM},
    {"ERR_FINDBGPIC", ERR_FINDBGPIC},
    {"ERR_FINDSAMPLE", ERR_FINDSAMPLE},
    {"ERR_FINDFILE", ERR_FINDFILE},
    {"ERR_FINDMEMBLK", ERR_FINDMEMBLK},
    {"ERR_FINDTIMER", ERR_FINDTIMER},
    {"ERR_FINDMOVE", ERR_FINDMOVE},
    {"ERR_STRORNUM", ERR_STRORNUM},
    {"ERR_PERCENTFORMAT", ERR_PERCENTFORMAT},
    {"ERR_FUNCEXPECTED", ERR_FUNCEXPECTED},
    {"ERR_UNMPARENTHESES", ERR_UNMPARENTHESES},
    {"ERR_WRONGOPCST", ERR_WRONGOPCST},
    {"ERR_FINDBUTTON", ERR_FINDBUTTON},
    {"ERR_NUMTABLEARG", ERR_NUMTABLEARG},
    {"ERR_NUMCALLBACK", ERR_NUMCALLBACK},
    {"ERR_BGPICBUTTON", ERR_BGPICBUTTON},
    {"ERR_WRONGHEX", ERR_WRONGHEX},
    {"ERR_TOOMANYARGS", ERR_TOOMANYARGS},
    {"ERR_FINDINTERVAL", ERR_FINDINTERVAL},
    {"ERR_FINDTIMEOUT", ERR_FINDTIMEOUT},
    {"ERR_LOADSOUND", ERR_LOADSOUND},
    {"ERR_STRINGEXPECTED", ERR_STRINGEXPECTED},
    {"ERR_UNEXPECTEDEOF", ERR_UNEXPECTEDEOF},
    {"ERR_VMMISMATCH", ERR_VMMISMATCH},
    {"ERR_BADINTEGER", ERR_BADINTEGER},
    {"ERR_BADUPVALUES", ERR_BADUPVALUES},
    {"ERR_BADCONSTANT", ERR_BADCONSTANT},
    {"ERR_BADBYTECODE", ERR_BADBYTECODE},
    {"ERR_BADSIGNATURE", ERR_BADSIGNATURE},
    {"ERR_UNKNUMFMT", ERR_UNKNUMFMT},
    {"ERR_INVNEXTKEY", ERR_INVNEXTKEY},
    {"ERR_TABLEOVERFLOW", ERR_TABLEOVERFLOW},
    {"ERR_TABLEINDEX", ERR_TABLEINDEX},
    {"ERR_APPLETVERSION", ERR_APPLETVERSION},
    {"ERR_UNKNOWNSEC", ERR_UNKNOWNSEC},
    {"ERR_NOAPPLET", ERR_NOAPPLET},
    {"ERR_PLAYERCOMP", ERR_PLAYERCOMP},
    {"ERR_FILEEXIST", ERR_FILEEXIST},
    {"ERR_MAGICKEY", ERR_MAGICKEY},
    {"ERR_FINDCLIPREGION", ERR_FINDCLIPREGION},
    {"ERR_FUNCREMOVED", ERR_FUNCREMOVED},
    {"ERR_COORDSRANGE", ERR_COORDSRANGE},
    {"ERR_BADDIMENSIONS", ERR_BADDIMENSIONS},
    {"ERR_FINDSPRITE", ERR_FINDSPRITE},
    {"ERR_SPRITEONSCREEN", ERR_SPRITEONSCREEN},
    {"ERR_PREPROCSYM", ERR_PREPROCSYM},
    {"ERR_UNKNOWNTAG", ERR_UNKNOWNTAG},
    {"ERR_MASKNALPHA", ERR_MASKNALPHA},
    {"ERR_NOSPRITES", ERR_NOSPRITES},
    {"ERR_WRONGCLIPREG", ERR_WRONGCLIPREG},
    {"ERR_NOCLIPREG", ERR_NOCLIPREG},
    {"ERR_MODIFYSPRITE", ERR_MODIFYSPRITE},
    {"ERR_MODIFYSPRITE2", ERR_MODIFYSPRITE2},
    {"ERR_ENDDOUBLEBUFFER", ERR_ENDDOUBLEBUFFER},
    {"ERR_DBTRANSWIN", ERR_DBTRANSWIN},
    {"ERR_FINDMUSIC", ERR_FINDMUSIC},
    {"ERR_MUSNOTPLYNG", ERR_MUSNOTPLYNG},
    {"ERR_SEEKRANGE", ERR_SEEKRANGE},
    {"ERR_MIXMUSMOD", ERR_MIXMUSMOD},
    {"ERR_UNKNOWNMUSFMT", ERR_UNKNOWNMUSFMT},
    {"ERR_MUSFMTSUPPORT", ERR_MUSFMTSUPPORT},
    {"ERR_TABLEORNIL", ERR_TABLEORNIL},
    {"ERR_PROTMETATABLE", ERR_PROTMETATABLE},
    {"ERR_ERRORCALLED", ERR_ERRORCALLED},
    {"ERR_ADDTASK", ERR_ADDTASK},
    {"ERR_TASKSETUP", ERR_TASKSETUP},
    {"ERR_READRANGE", ERR_READRANGE},
    {"ERR_BACKFILL", ERR_BACKFILL},
    {"ERR_NODOUBLEBUFFER", ERR_NODOUBLEBUFFER},
    {"ERR_STRTOOSHORT", ERR_STRTOOSHORT},
    {"ERR_CACHEERROR", ERR_CACHEERROR},
    {"ERR_STRTABLEARG", ERR_STRTABLEARG},
    {"ERR_APPLET", ERR_APPLET},
    {"ERR_NOTADIR", ERR_NOTADIR},
    {"ERR_UNKTEXTFMT", ERR_UNKTEXTFMT},
    {"ERR_TEXTSYNTAX", ERR_TEXTSYNTAX},
    {"ERR_TEXTARG", ERR_TEXTARG},
    {"ERR_DEFFONT", ERR_DEFFONT},
    {"ERR_ANTIALIAS", ERR_ANTIALIAS},
    {"ERR_CREATEPORT", ERR_CREATEPORT},
    {"ERR_NOSCRIPTPORT", ERR_NOSCRIPTPORT},
    {"ERR_SCRIPTPORT", ERR_SCRIPTPORT},
    {"ERR_STRCALLBACK", ERR_STRCALLBACK},
    {"ERR_PORTNOTAVAIL", ERR_PORTNOTAVAIL},
    {"ERR_BAD8SVX", ERR_BAD8SVX},
    {"ERR_CMPUNSUPPORTED", ERR_CMPUNSUPPORTED},
    {"ERR_BADWAVE", ERR_BADWAVE},
    {"ERR_MUSNOTPAUSED", ERR_MUSNOTPAUSED},
    {"ERR_CONFIG2", ERR_CONFIG2},
    {"ERR_EXETYPE", ERR_EXETYPE},
    {"ERR_OPENAUDIO", ERR_OPENAUDIO},
    {"ERR_DATATYPESAVE", ERR_DATATYPESAVE},
    {"ERR_DATATYPESAVE2", ERR_DATATYPESAVE2},
    {"ERR_LOADFRAME", ERR_LOADFRAME},
    {"ERR_LAYERSUPPORT2", ERR_LAYERSUPPORT2},
    {"ERR_SHORTIF", ERR_SHORTIF},
    {"ERR_SYSTOOOLD", ERR_SYSTOOOLD},
    {"ERR_KEYNOTFOUND", ERR_KEYNOTFOUND},
    {"ERR_FINDPORT", ERR_FINDPORT},
    {"ERR_TOOSMALL2", ERR_TOOSMALL2},
    {"ERR_SAVEPNG", ERR_SAVEPNG},
    {"ERR_NOTIGER", ERR_NOTIGER},
    {"ERR_STREAMASSAMPLE", ERR_STREAMASSAMPLE},
    {"ERR_AUDIOCONVERTER", ERR_AUDIOCONVERTER},
    {"ERR_RENDERCALLBACK", ERR_RENDERCALLBACK},
    {"ERR_SETFILEATTR", ERR_SETFILEATTR},
    {"ERR_SETFILEDATE", ERR_SETFILEDATE},
    {"ERR_SETFILECOMMENT", ERR_SETFILECOMMENT},
    {"ERR_INVALIDDATE", ERR_INVALIDDATE},
    {"ERR_LOCK2", ERR_LOCK2},
    {"ERR_THREAD", ERR_THREAD},
    {"ERR_UNSUPPORTEDFEAT", ERR_UNSUPPORTEDFEAT},
    {"ERR_NOCHANNEL", ERR_NOCHANNEL},
    {"ERR_CREATEEVENT", ERR_CREATEEVENT},
    {"ERR_DSOUNDNOTIFY", ERR_DSOUNDNOTIFY},
    {"ERR_DSOUNDNOTIPOS", ERR_DSOUNDNOTIPOS},
    {"ERR_DSOUNDPLAY", ERR_DSOUNDPLAY},
    {"ERR_AFILEPROP", ERR_AFILEPROP},
    {"ERR_DIRECTSHOW", ERR_DIRECTSHOW},
    {"ERR_REGCLASS", ERR_REGCLASS},
    {"ERR_TIMER", ERR_TIMER},
    {"ERR_SEMAPHORE", ERR_SEMAPHORE},
    {"ERR_8OR16BITONLY", ERR_8OR16BITONLY},
    {"ERR_DISPMINIMIZED", ERR_DISPMINIMIZED},
    {"ERR_COMMODITY", ERR_COMMODITY},
    {"ERR_MSGPORT", ERR_MSGPORT},
    {"ERR_TEXTCONVERT", ERR_TEXTCONVERT},
    {"ERR_ATSUI", ERR_ATSUI},
    {"ERR_LFSYNTAX", ERR_LFSYNTAX},
    {"ERR_ZLIBIO", ERR_ZLIBIO},
    {"ERR_ZLIBSTREAM", ERR_ZLIBSTREAM},
    {"ERR_ZLIBVERSION", ERR_ZLIBVERSION},
    {"ERR_ZLIBDATA", ERR_ZLIBDATA},
    {"ERR_PAKFORMAT", ERR_PAKFORMAT},
    {"ERR_NOTXTLAYER", ERR_NOTXTLAYER},
    {"ERR_DDAUTOSCALE", ERR_DDAUTOSCALE},
    {"ERR_NODISLAYERS", ERR_NODISLAYERS},
    {"ERR_LOCKEDOBJ", ERR_LOCKEDOBJ},
    {"ERR_WRITEJPEG", ERR_WRITEJPEG},
    {"ERR_DDRECVIDEO", ERR_DDRECVIDEO},
    {"ERR_WRONGCMDRECVIDEO", ERR_WRONGCMDRECVIDEO},
    {"ERR_FINDDIR", ERR_FINDDIR},
    {"ERR_MUSNOTPLYNG2", ERR_MUSNOTPLYNG2},
    {"ERR_FINDPOINTER", ERR_FINDPOINTER},
    {"ERR_POINTERIMG", ERR_POINTERIMG},
    {"ERR_READFUNC", ERR_READFUNC},
    {"ERR_BADBASE64", ERR_BADBASE64},
    {"ERR_NOQMFUNC", ERR_NOQMFUNC},
    {"ERR_SPRITEONSCREEN2", ERR_SPRITEONSCREEN2},
    {"ERR_FINDASYNCDRAW", ERR_FINDASYNCDRAW},
    {"ERR_FREECURPOINTER", ERR_FREECURPOINTER},
    {"ERR_READTABLE", ERR_READTABLE},
    {"ERR_LAYERSWITCH", ERR_LAYERSWITCH},
    {"ERR_VIDEOSTRATEGY", ERR_VIDEOSTRATEGY},
    {"ERR_WRONGVSTRATEGY", ERR_WRONGVSTRATEGY},
    {"ERR_FINDFONT", ERR_FINDFONT},
    {"ERR_LINKFONT", ERR_LINKFONT},
    {"ERR_FINDFONT2", ERR_FINDFONT2},
    {"ERR_FONTPATH", ERR_FONTPATH},
    {"ERR_FONTFORMAT", ERR_FONTFORMAT},
    {"ERR_NOCOORDCST", ERR_NOCOORDCST},
    {"ERR_ANIMDISK", ERR_ANIMDISK},
    {"ERR_SELECTANIM", ERR_SELECTANIM},
    {"ERR_MODIFYAANIM", ERR_MODIFYAANIM},
    {"ERR_FINDANIMSTREAM", ERR_FINDANIMSTREAM},
    {"ERR_NEEDNEWEROS", ERR_NEEDNEWEROS},
    {"ERR_SMODEALPHA", ERR_SMODEALPHA},
    {"ERR_FINDDISPLAY", ERR_FINDDISPLAY},
    {"ERR_MULTIBGPIC", ERR_MULTIBGPIC},
    {"ERR_FREEADISPLAY", ERR_FREEADISPLAY},
    {"ERR_CLOSEDDISPDRAW", ERR_CLOSEDDISPDRAW},
    {"ERR_ADDAPPICON", ERR_ADDAPPICON},
    {"ERR_SCREENSIZE", ERR_SCREENSIZE},
    {"ERR_DIFFDEPTH", ERR_DIFFDEPTH},
    {"ERR_VIDRECMULTI", ERR_VIDRECMULTI},
    {"ERR_VIDRECTRANS", ERR_VIDRECTRANS},
    {"ERR_NEEDOSUPDATE", ERR_NEEDOSUPDATE},
    {"ERR_SYSIMAGE", ERR_SYSIMAGE},
    {"ERR_SYSBUTTON", ERR_SYSBUTTON},
    {"ERR_OPENANIM2", ERR_OPENANIM2},
    {"ERR_OPENSOUND2", ERR_OPENSOUND2},
    {"ERR_LOADPICTURE2", ERR_LOADPICTURE2},
    {"ERR_SIGNAL", ERR_SIGNAL},
    {"ERR_ADDAPPWIN", ERR_ADDAPPWIN},
    {"ERR_CLIPFORMAT", ERR_CLIPFORMAT},
    {"ERR_SORTFUNC", ERR_SORTFUNC},
    {"ERR_INISYNTAX", ERR_INISYNTAX},
    {"ERR_CLIPOPEN", ERR_CLIPOPEN},
    {"ERR_CLIPREAD", ERR_CLIPREAD},
    {"ERR_SCALEBGPIC", ERR_SCALEBGPIC},
    {"ERR_SELECTBGPIC", ERR_SELECTBGPIC},
    {"ERR_CLIPWRITE", ERR_CLIPWRITE},
    {"ERR_FINDLAYER", ERR_FINDLAYER},
    {"ERR_INVINSERT", ERR_INVINSERT},
    {"ERR_ALREADYASYNC", ERR_ALREADYASYNC},
    {"ERR_REMADLAYER", ERR_REMADLAYER},
    {"ERR_NAMETOOLONG", ERR_NAMETOOLONG},
    {"ERR_GROUPNAMEUSED", ERR_GROUPNAMEUSED},
    {"ERR_REGISTRYREAD", ERR_REGISTRYREAD},
    {"ERR_REGISTRYWRITE", ERR_REGISTRYWRITE},
    {"ERR_SELECTBGPIC2", ERR_SELECTBGPIC2},
    {"ERR_MODIFYABGPIC", ERR_MODIFYABGPIC},
    {"ERR_ADFWRONGDISP", ERR_ADFWRONGDISP},
    {"ERR_ADFFREEDISP", ERR_ADFFREEDISP},
    {"ERR_SPRITELINK", ERR_SPRITELINK},
    {"ERR_WRONGSPRITESIZE", ERR_WRONGSPRITESIZE},
    {"ERR_TRANSBRUSH", ERR_TRANSBRUSH},
    {"ERR_DINPUT", ERR_DINPUT},
    {"ERR_JOYSTICK", ERR_JOYSTICK},
    {"ERR_FT2", ERR_FT2},
    {"ERR_ICONDIMS", ERR_ICONDIMS},
    {"ERR_BRUSHTYPE", ERR_BRUSHTYPE},
    {"ERR_TFVBRUSH", ERR_TFVBRUSH},
    {"ERR_BGPICTYPE", ERR_BGPICTYPE},
    {"ERR_TFVBRUSHBGPIC", ERR_TFVBRUSHBGPIC},
    {"ERR_TFVBGPICBRUSH", ERR_TFVBGPICBRUSH},
    {"ERR_FINDPATH", ERR_FINDPATH},
    {"ERR_EMPTYPATH", ERR_EMPTYPATH},
    {"ERR_VFONTTYPE", ERR_VFONTTYPE},
    {"ERR_VFONT", ERR_VFONT},
    {"ERR_CREATESHORTCUT", ERR_CREATESHORTCUT},
    {"ERR_NOACCESS", ERR_NOACCESS},
    {"ERR_BADPLATFORM", ERR_BADPLATFORM},
    {"ERR_NEWQMPLUGIN", ERR_NEWQMPLUGIN},
    {"ERR_PLUGINVER", ERR_PLUGINVER},
    {"ERR_PLUGINARCH", ERR_PLUGINARCH},
    {"ERR_IMAGEERROR", ERR_IMAGEERROR},
    {"ERR_RENDERADLAYER", ERR_RENDERADLAYER},
    {"ERR_NOJOYATPORT", ERR_NOJOYATPORT},
    {"ERR_FINDCLIENT", ERR_FINDCLIENT},
    {"ERR_SOCKET", ERR_SOCKET},
    {"ERR_OPENSOCKET", ERR_OPENSOCKET},
    {"ERR_FINDSERVER", ERR_FINDSERVER},
    {"ERR_SOCKOPT", ERR_SOCKOPT},
    {"ERR_PEERNAME", ERR_PEERNAME},
    {"ERR_HOSTNAME", ERR_HOSTNAME},
    {"ERR_UNKPROTOCOL", ERR_UNKPROTOCOL},
    {"ERR_BADURL", ERR_BADURL},
    {"ERR_HTTPERROR", ERR_HTTPERROR},
    {"ERR_HTTPTE", ERR_HTTPTE},
    {"ERR_SENDDATA", ERR_SENDDATA},
    {"ERR_FTPERROR", ERR_FTPERROR},
    {"ERR_RECVTIMEOUT", ERR_RECVTIMEOUT},
    {"ERR_RECVCLOSED", ERR_RECVCLOSED},
    {"ERR_RECVUNKNOWN", ERR_RECVUNKNOWN},
    {"ERR_FILENOTFOUND", ERR_FILENOTFOUND},
    {"ERR_FTPAUTH", ERR_FTPAUTH},
    {"ERR_UPLOADFORBIDDEN", ERR_UPLOADFORBIDDEN},
    {"ERR_SOCKNAME", ERR_SOCKNAME},
    {"ERR_FINDUDPOBJECT", ERR_FINDUDPOBJECT},
    {"ERR_BADIP", ERR_BADIP},
    {"ERR_XDISPLAY", ERR_XDISPLAY},
    {"ERR_CREATEGC", ERR_CREATEGC},
    {"ERR_PIPE", ERR_PIPE},
    {"ERR_GTK", ERR_GTK},
    {"ERR_NEEDCOMPOSITE", ERR_NEEDCOMPOSITE},
    {"ERR_NOARGBVISUAL", ERR_NOARGBVISUAL},
    {"ERR_XFIXES", ERR_XFIXES},
    {"ERR_XCURSOR", ERR_XCURSOR},
    {"ERR_ALSAPCM", ERR_ALSAPCM},
    {"ERR_SETENV", ERR_SETENV},
    {"ERR_UNSETENV", ERR_UNSETENV},
    {"ERR_XF86VIDMODEEXT", ERR_XF86VIDMODEEXT},
    {"ERR_NODISPMODES", ERR_NODISPMODES},
    {"ERR_UNKNOWNFILTER", ERR_UNKNOWNFILTER},
    {"ERR_NOFILTERNAME", ERR_NOFILTERNAME},
    {"ERR_TABEXPECTED2", ERR_TABEXPECTED2},
    {"ERR_SMPRANGE", ERR_SMPRANGE},
    {"ERR_NOTENOUGHPIXELS", ERR_NOTENOUGHPIXELS},
    {"ERR_FINDVIDEO", ERR_FINDVIDEO},
    {"ERR_LOADVIDEO", ERR_LOADVIDEO},
    {"ERR_VIDNOTPLAYING", ERR_VIDNOTPLAYING},
    {"ERR_VIDNOTPAUSED", ERR_VIDNOTPAUSED},
    {"ERR_COLORSPACE", ERR_COLORSPACE},
    {"ERR_QUICKTIME", ERR_QUICKTIME},
    {"ERR_VIDATTACHED", ERR_VIDATTACHED},
    {"ERR_FGRABVIDSTATE", ERR_FGRABVIDSTATE},
    {"ERR_VIDEOFRAME", ERR_VIDEOFRAME},
    {"ERR_VIDEOTRANS", ERR_VIDEOTRANS},
    {"ERR_LOADPLUGIN", ERR_LOADPLUGIN},
    {"ERR_VECGFXPLUGIN", ERR_VECGFXPLUGIN},
    {"ERR_INVCAPIDX", ERR_INVCAPIDX},
    {"ERR_INVPATCAP", ERR_INVPATCAP},
    {"ERR_MALFORMPAT1", ERR_MALFORMPAT1},
    {"ERR_MALFORMPAT2", ERR_MALFORMPAT2},
    {"ERR_UNBALANCEDPAT", ERR_UNBALANCEDPAT},
    {"ERR_TOOMANYCAPTURES", ERR_TOOMANYCAPTURES},
    {"ERR_MISSINGOPBRACK", ERR_MISSINGOPBRACK},
    {"ERR_UNFINISHEDCAPTURE", ERR_UNFINISHEDCAPTURE},
    {"ERR_TFIMAGE", ERR_TFIMAGE},
    {"ERR_DRAWPATH", ERR_DRAWPATH},
    {"ERR_MOBILE", ERR_MOBILE},
    {"ERR_DDMOBILE", ERR_DDMOBILE},
    {"ERR_MULDISMOBILE", ERR_MULDISMOBILE},
    {"ERR_TRANSBGMOBILE", ERR_TRANSBGMOBILE},
    {"ERR_MODIFYPSMP", ERR_MODIFYPSMP},
    {"ERR_TABCALLBACK", ERR_TABCALLBACK},
    {"ERR_BADCALLBACKRET", ERR_BADCALLBACKRET},
    {"ERR_NOCALLBACK", ERR_NOCALLBACK},
    {"ERR_LOWFREQ", ERR_LOWFREQ},
    {"ERR_FINDLAYERDATA", ERR_FINDLAYERDATA},
    {"ERR_NODIRPATTERN", ERR_NODIRPATTERN},
    {"ERR_SEEKFORMAT", ERR_SEEKFORMAT},
    {"ERR_PLUGINTYPE", ERR_PLUGINTYPE},
    {"ERR_NOMUSICCB", ERR_NOMUSICCB},
    {"ERR_NOFMBHANDLER", ERR_NOFMBHANDLER},
    {"ERR_UNKNOWNIMGOUT", ERR_UNKNOWNIMGOUT},
    {"ERR_SAVEIMAGE", ERR_SAVEIMAGE},
    {"ERR_UNKNOWNANMOUT", ERR_UNKNOWNANMOUT},
    {"ERR_SAVEANIM", ERR_SAVEANIM},
    {"ERR_UNKNOWNSMPOUT", ERR_UNKNOWNSMPOUT},
    {"ERR_SAVESAMPLE", ERR_SAVESAMPLE},
    {"ERR_UDEXPECTED", ERR_UDEXPECTED},
    {"ERR_ASSERTFAILED", ERR_ASSERTFAILED},
    {"ERR_REQUIREPLUGIN", ERR_REQUIREPLUGIN},
    {"ERR_NOABSPATH", ERR_NOABSPATH},
    {"ERR_FINDOBJECTDATA", ERR_FINDOBJECTDATA},
    {"ERR_QMBRUSH", ERR_QMBRUSH},
    {"ERR_QMBRUSHFUNC", ERR_QMBRUSHFUNC},
};

inline constexpr int kErrorNameCount = sizeof(kErrorNames) / sizeof(kErrorNames[0]);
static_assert(kErrorNameCount == 496);

}  // namespace qm
