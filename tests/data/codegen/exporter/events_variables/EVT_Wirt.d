FUNC void E()
{
	if (Bekannt_E == FALSE)
	{
		if (x == 1)
		{
			Bekannt_E = TRUE;
			
			x = 1;
		};
	};
};
	
const int z = Bekannt_E;

FUNC void SCHLEIFE_Wirt()
{
	//****************************************
	//   Läuft
	//****************************************
	
		y = 2;
	
};

