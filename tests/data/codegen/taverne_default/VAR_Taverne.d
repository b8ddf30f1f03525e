var int Taverne_Bier;

//--------------------------------

var int Bekannt_DIA_WIRT_BIER;
var int Bekannt_EREIGNISSE_BETRUNKEN;
var int Bekannt_EREIGNISSE_STAMMGAST;
