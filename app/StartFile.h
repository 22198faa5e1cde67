#pragma once

#include <QString>
#include <QStringList>

// Finding the member file to open at start-up in the program's command line.

// The program's arguments as one command line: each argument that holds a space, or is
// empty, in double quotes.
QString commandLineOf(const QStringList& arguments);

// The file the command line names: the text up to and including the last ".kvl" (any case)
// from the line's second character on, starting after the nearest space or double quote in
// front of it; inside a quoted argument only the opening quote ends it. The text keeps its
// case. Empty when the line holds no ".kvl".
QString startFileFromCommandLine(const QString& commandLine);

// The first argument after the program that is not an option: the file the program opens
// (or, when there is none, empty for a new administration).
QString fileFromArguments(const QStringList& arguments);
