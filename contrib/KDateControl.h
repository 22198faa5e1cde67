#pragma once

#include "core/format/KDateValue.h"

class QDateEdit;
class QWidget;

// The date pickers of the contribution dialogs: a date in the user's short format with a
// calendar to pick from. A date value that is no calendar day shows today.
QDateEdit* makeDateControl(QWidget* parent);
KDateValue dateOf(const QDateEdit* picker);
void setDateOf(QDateEdit* picker, KDateValue date);
