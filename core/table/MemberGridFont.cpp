#include "core/table/MemberGridFont.h"

#include "core/settings/Settings.h"

MemberGridFont MemberGridFont::read() {
    return Settings::gridFont();
}

void MemberGridFont::write() const {
    Settings::setGridFont(*this);
}
