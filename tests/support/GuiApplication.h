#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <memory>

// The one application object of a test program that makes widgets. It is made before the first
// test and goes after the last, before the program's static objects, which Qt's clean-up needs.
// The C library keeps reading and writing numbers with a point, as in the program.
class GuiTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QApplication::instance())
            m_app = std::make_unique<QApplication>(m_argc, m_argv);
        std::setlocale(LC_NUMERIC, "C");
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[14] = "korvel-tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// gtest owns the environments handed to it.
inline ::testing::Environment* const kGuiTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment);

inline QApplication& guiApplication() {
    std::setlocale(LC_NUMERIC, "C");
    return *qApp;
}
