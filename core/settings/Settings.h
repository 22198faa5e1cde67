#pragma once

#include "core/settings/IncassoSettings.h"
#include "core/table/MemberGridFont.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <string>

// The user's settings in the profile (QSettings "Orvanta"/"Korvel"), typed. This is the one
// place that names the profile's sections and keys; everything else asks here. Every setter
// tells the listeners of notifier() which setting changed. Tests point the profile at a file
// of their own (Profile::setProfileFile) before the first read.
class Settings : public QObject {
    Q_OBJECT

public:
    enum class Key {
        DataFolder,     // "Settings"/"Datadir"
        LoadAtStart,    // "Settings"/"loadstart"
        FixedStartFile, // "Settings"/"fixed"
        StartFile,      // "Settings"/"Startfile"
        DateFormat,     // "Settings"/"DateFormat"
        Columns,        // "Settings"/"Columns"
        GridFont,       // "Font": "Name", "Size", "Bold", "Italic", "Underline", "Strikethru"
        RecentFiles,    // "Recent File List"/"File1" .. "File4"
        WindowGeometry, // "Window"/"Geometry"
        Incasso,        // "Incasso": the creditor's bank data and the debtors' fields
        BackupGenerations, // "Settings"/"Generations"
        RecoveryMinutes,   // "Settings"/"RecoveryMinutes"
    };
    Q_ENUM(Key)

    static constexpr int kRecentFileCount = 4;

    // The object whose changed() signal tells of every setting written through this class.
    static Settings& notifier();

    // The data folder; the user's home folder when none is set.
    static QString dataFolder();
    static void setDataFolder(const QString& folder);
    // Whether a member file is opened at start-up.
    static bool loadAtStart();
    static void setLoadAtStart(bool on);
    // True: the start file is the fixed one; false: the one the command line names.
    static bool fixedStartFile();
    static void setFixedStartFile(bool on);
    static QString startFile();
    static void setStartFile(const QString& path);
    // "Standard" when not set; Windows-1252 bytes.
    static std::string dateFormat();
    static void setDateFormat(const std::string& format);
    // The grid's column list as Windows-1252 bytes; empty when not set.
    static std::string columns();
    // Whether the profile has a column list, the empty one (no columns chosen) included.
    static bool hasColumns();
    static void setColumns(const std::string& columnList);
    // Missing keys give the defaults; an unusable size gives the default size.
    static MemberGridFont gridFont();
    // Writes all six keys, the size as "%1.1f".
    static void setGridFont(const MemberGridFont& font);
    // Most recent first; empty entries left out.
    static QStringList recentFiles();
    static void setRecentFiles(const QStringList& files);
    // How many dated copies of the previous file a save keeps; 10 when not set, 0 keeps none.
    static int backupGenerations();
    static void setBackupGenerations(int count);
    // Every how many minutes a modified administration goes to the recovery file; 5 when not
    // set, 0 never.
    static int recoveryMinutes();
    static void setRecoveryMinutes(int minutes);
    static QByteArray windowGeometry();
    static void setWindowGeometry(const QByteArray& geometry);
    // Missing keys give empty texts and the default labels and format.
    static IncassoSettings incasso();
    // Writes every key of the section.
    static void setIncasso(const IncassoSettings& incasso);

signals:
    void changed(Settings::Key key);

private:
    Settings() = default;
    static void tell(Key key);
};
