textures/m/decal
{
	polygonOffset
	{
		clampmap textures/m/mark.tga
		blendfunc blend
		rgbGen const ( 0.5 0.25 1 )
		alphaGen wave sawtooth 0 1 0 10
	}
	{
		map $lightmap
		rgbGen Vertex
		alphaGen const 0.5
	}
	{
		map textures/m/pad.tga
		rgbgen identityLighting
		alphagen vertex
	}
}
