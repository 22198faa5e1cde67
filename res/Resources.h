#pragma once

// Makes the program's resources (icons, the manual) available. They are linked from a static
// library, whose parts nobody calls the linker leaves out; calling this keeps them. Safe to
// call more than once.
void initResources();
