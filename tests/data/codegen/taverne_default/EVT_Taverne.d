FUNC void EREIGNISSE_STAMMGAST()
{
	if (Bekannt_EREIGNISSE_STAMMGAST == FALSE)
	{
		if (Bekannt_DIA_WIRT_BIER)
		{
			Bekannt_EREIGNISSE_STAMMGAST = TRUE;
			
			PrintScreen ("Der Wirt kennt dich jetzt.", -1, -1, "font_old_20_white.tga", 3);
		};
	};
};
	
func int Taverne_IstBetrunken ()
{
	return Taverne_Bier >= 3;
};

FUNC void SCHLEIFE_Taverne()
{
	if (Bekannt_EREIGNISSE_BETRUNKEN == FALSE)
	{
		if (Taverne_Bier >= 3)
		{
			Bekannt_EREIGNISSE_BETRUNKEN = TRUE;
			
			PrintScreen ("Du bist betrunken.", -1, -1, "font_old_20_white.tga", 3);
		};
	};
	
};

