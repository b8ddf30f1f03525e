FUNC void DIA_F_JA()
{
		x = 3;
};
	
