#pragma once

#include <memory>

class QTranslator;

// Qt's own windows (file, font and printer dialogs) in Dutch while this object lives, unless
// the application already speaks Dutch. The translation comes from Qt's own installation.
class QtDutch {
public:
    QtDutch();
    ~QtDutch();
    QtDutch(const QtDutch&) = delete;
    QtDutch& operator=(const QtDutch&) = delete;

private:
    std::unique_ptr<QTranslator> m_translator;
};
