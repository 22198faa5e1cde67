#pragma once

// Qt's own texts (file dialogs, standard buttons, the question before replacing a file) in
// Dutch, whatever the system's language: the program speaks Dutch only. Looks for Qt's Dutch
// translation where Qt keeps its translations, then in "translations" beside the program.
// Loads it once; returns whether it is in place.
bool loadQtTranslations();
