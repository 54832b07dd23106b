#pragma once
// OpenGL 1.x, GLU and the extension types. Extension entry points are not linked:
// they come from the table in core/ExtTable.h.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glext.h>
