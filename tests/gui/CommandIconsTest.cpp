#include "KorvelFixture.h"

#include "res/CommandIcons.h"
#include "res/Commands.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QToolBar>

namespace {

// Icon themes as the test sets them up, restored afterwards.
class IconTheme {
public:
    IconTheme(const QStringList& searchPaths, const QString& name)
        : m_paths(QIcon::themeSearchPaths()), m_name(QIcon::themeName()) {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setThemeName(name);
    }
    ~IconTheme() {
        QIcon::setThemeSearchPaths(m_paths);
        QIcon::setThemeName(m_name);
    }

private:
    QStringList m_paths;
    QString m_name;
};

// Whether the icon draws anything at a toolbar's size.
bool drawsSomething(const QIcon& icon) {
    const QImage image = icon.pixmap(24, 24).toImage();
    if (image.isNull())
        return false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

using CommandIcons = KorvelFixture;

TEST_F(CommandIcons, EveryToolbarButtonHasAnIconOnABareMachine) {
    const IconTheme none({}, QString());
    ASSERT_TRUE(start());
    int buttons = 0;
    for (QAction* action : frame().toolBar()->actions()) {
        if (action->isSeparator())
            continue;
        ++buttons;
        EXPECT_TRUE(drawsSomething(action->icon())) << action->text().toStdString();
    }
    EXPECT_EQ(buttons, 9);
    // Undo and redo, for the menu that edits.
    EXPECT_TRUE(drawsSomething(frame().action(Cmd::EditUndo)->icon()));
    EXPECT_TRUE(drawsSomething(commandIcon(57644)));
    EXPECT_TRUE(commandIcon(Cmd::ConfigTabs).isNull());
    EXPECT_TRUE(drawsSomething(frame().windowIcon()));
}

TEST(CommandIcon, TheDesktopThemeTakesOver) {
    QTemporaryDir dir;
    const QString theme = dir.filePath(QStringLiteral("bureaublad"));
    QDir().mkpath(theme + QStringLiteral("/24x24/actions"));
    QFile index(theme + QStringLiteral("/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=bureaublad\nDirectories=24x24/actions\n\n"
                "[24x24/actions]\nSize=24\nType=Fixed\n");
    index.close();
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(theme + QStringLiteral("/24x24/actions/edit-cut.png")));

    const IconTheme desktop({dir.path()}, QStringLiteral("bureaublad"));
    EXPECT_EQ(commandIcon(Cmd::EditCut).name(), QStringLiteral("edit-cut"));
    EXPECT_EQ(commandIcon(Cmd::EditCut).pixmap(24, 24).toImage().pixelColor(12, 12),
              QColor(Qt::red));
    // What the theme lacks comes from the program.
    EXPECT_TRUE(drawsSomething(commandIcon(Cmd::EditCopy)));
}

} // namespace
