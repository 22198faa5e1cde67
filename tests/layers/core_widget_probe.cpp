// Compiled as if it were part of the core; the build must refuse it.
#include <QtWidgets/QWidget>
