#include "app/StartFile.h"

QString commandLineOf(const QStringList& arguments) {
    QStringList quoted;
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.contains(QLatin1Char(' ')))
            quoted.append(QLatin1Char('"') + argument + QLatin1Char('"'));
        else
            quoted.append(argument);
    }
    return quoted.join(QLatin1Char(' '));
}

QString startFileFromCommandLine(const QString& commandLine) {
    static const QString extension = QStringLiteral(".kvl");
    // Searched without regard to case, on the line itself: upper-casing first could change
    // its length and so the positions.
    const qsizetype found = commandLine.lastIndexOf(extension, -1, Qt::CaseInsensitive);
    if (found < 1)
        return {};
    const qsizetype end = found + extension.size();
    const bool quoted = end < commandLine.size() && commandLine.at(end) == QLatin1Char('"');
    qsizetype start = found;
    while (start > 0) {
        const QChar c = commandLine.at(start - 1);
        if (c == QLatin1Char('"') || (!quoted && c == QLatin1Char(' ')))
            break;
        --start;
    }
    return commandLine.mid(start, end - start);
}

QString fileFromArguments(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            return argument;
    }
    return {};
}
