var int x;

//--------------------------------

var int Bekannt_E;
