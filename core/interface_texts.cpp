#include "interface_texts.h"

#include <algorithm>
#include <string>

#include "utf8_text.h"

namespace {

// Primary language ids of Windows (the low ten bits of a language id).
constexpr std::uint16_t primaryLanguageMask = 0x3FF;
constexpr std::uint16_t windowsRussian = 0x19;
constexpr std::uint16_t windowsEnglish = 0x09;
constexpr std::uint16_t windowsGerman = 0x07;
constexpr std::uint16_t windowsFrench = 0x0C;
constexpr std::uint16_t windowsItalian = 0x10;
constexpr std::uint16_t windowsSpanish = 0x0A;
// Windows languages whose users most likely read Russian: Ukrainian,
// Belarusian and Kazakh.
constexpr std::array<std::uint16_t, 3> windowsReadersOfRussian{0x22, 0x23, 0x3F};

// One language: how the IDE and Windows name it, and its texts, with Windows'
// own names for the message box's buttons and icons. French puts a no-break
// space before a colon or a semicolon.
struct LanguageRow {
    InterfaceLanguage language = InterfaceLanguage::russian;
    std::uint16_t windowsPrimaryLanguage = 0;
    std::array<std::string_view, 2> ideNames;  // folded as foldedName folds; empty for none
    InterfaceTexts texts;
    // Russian keeps the first layout, opened lists as wide as their boxes.
    bool widensOpenedLists = true;
};

constexpr std::array<LanguageRow, interfaceLanguageCount> languageTable{{
    {InterfaceLanguage::russian,
     windowsRussian,
     {"russian", "русский"},
     {
         "MessageRequester",
         "Заголовок:",
         "Текст:",
         "Иконка:",
         "Вид:",
         "Кнопки:",
         "Кнопка по умолчанию:",
         {"Нет иконки", "Стоп", "Вопрос", "Внимание!", "Информация"},
         {"Приложение", "Задача", "Системное"},
         {"Ok", "Ok, Отмена", "Прервать, Повторить, Игнорировать", "Да, Нет, Отмена", "Да, Нет",
          "Повторить, Отмена"},
         {"1", "2", "3"},
         "Тест",
         "Скопировать",
         "Скопировать в буфер обмена",
         "Вставить",
         "Вставить в исходный текст PureBasic",
         "MessageRequester wizard © ",
         "Orlenka",
         "MessageRequester",
         "Приложению не удалось запуститься\nиз-за отсутствия файла Scintilla.dll",
         "MessageRequester",
         "Вставить не удалось: редактор PureBasic больше недоступен,\nвызов остался в буфере обмена.",
         "Ничего не заменено: вызов в исходном тексте PureBasic изменился после открытия.\nНовый вызов остался в "
         "буфере обмена.",
         {"В выделении нет вызова MessageRequester.", "Выделено несколько вызовов MessageRequester.",
          "Выделена лишь часть вызова MessageRequester.", "Не прочитан заголовок выделенного вызова.",
          "Не прочитан текст выделенного вызова.", "Не прочитаны флаги выделенного вызова."},
     },
     false},
    {InterfaceLanguage::english,
     windowsEnglish,
     {"english", ""},
     {
         "MessageRequester",
         "Title:",
         "Text:",
         "Icon:",
         "Modality:",
         "Buttons:",
         "Default button:",
         {"No icon", "Error", "Question", "Warning", "Information"},
         {"Application", "Task", "System"},
         {"OK", "OK, Cancel", "Abort, Retry, Ignore", "Yes, No, Cancel", "Yes, No", "Retry, Cancel"},
         {"1", "2", "3"},
         "Test",
         "Copy",
         "Copy to clipboard",
         "Insert",
         "Insert into the PureBasic source",
         "MessageRequester wizard © ",
         "Orlenka",
         "MessageRequester",
         "The application could not start\nbecause the file Scintilla.dll is missing.",
         "MessageRequester",
         "Nothing was inserted: the PureBasic editor is no longer available,\nso the call stays on the clipboard.",
         "Nothing was replaced: the call in the PureBasic source has changed since it was opened.\nThe new call is "
         "on the clipboard.",
         {"The selection holds no MessageRequester call.", "The selection holds several MessageRequester calls.",
          "The selection holds only part of a call.", "Could not read the title of the selected call.",
          "Could not read the text of the selected call.", "Could not read the flags of the selected call."},
     }},
    {InterfaceLanguage::german,
     windowsGerman,
     {"deutsch", "german"},
     {
         "MessageRequester",
         "Titel:",
         "Text:",
         "Symbol:",
         "Modalität:",
         "Schaltflächen:",
         "Standardschaltfläche:",
         {"Kein Symbol", "Fehler", "Frage", "Warnung", "Information"},
         {"Anwendung", "Task", "System"},
         {"OK", "OK, Abbrechen", "Abbrechen, Wiederholen, Ignorieren", "Ja, Nein, Abbrechen", "Ja, Nein",
          "Wiederholen, Abbrechen"},
         {"1", "2", "3"},
         "Testen",
         "Kopieren",
         "In die Zwischenablage kopieren",
         "Einfügen",
         "In den PureBasic-Quelltext einfügen",
         "MessageRequester-Assistent © ",
         "Orlenka",
         "MessageRequester",
         "Die Anwendung konnte nicht gestartet werden,\nda die Datei Scintilla.dll fehlt.",
         "MessageRequester",
         "Einfügen nicht möglich: Der PureBasic-Editor ist nicht mehr verfügbar.\nDer Aufruf bleibt in der "
         "Zwischenablage.",
         "Nichts ersetzt: Der Aufruf im PureBasic-Quelltext wurde seit dem Öffnen geändert.\nDer neue Aufruf ist in "
         "der Zwischenablage.",
         {"Kein MessageRequester-Aufruf in der Auswahl.", "Mehrere MessageRequester-Aufrufe in der Auswahl.",
          "Die Auswahl enthält nur einen Teil eines Aufrufs.", "Der Titel des gewählten Aufrufs ist nicht lesbar.",
          "Der Text des gewählten Aufrufs ist nicht lesbar.", "Die Flags des gewählten Aufrufs sind nicht lesbar."},
     }},
    {InterfaceLanguage::french,
     windowsFrench,
     {"francais", "french"},
     {
         "MessageRequester",
         "Titre\u00A0:",
         "Texte\u00A0:",
         "Icône\u00A0:",
         "Modalité\u00A0:",
         "Boutons\u00A0:",
         "Bouton par défaut\u00A0:",
         // "Avertissement" is wider than an entry of the icon list.
         {"Aucune icône", "Erreur", "Question", "Attention", "Information"},
         {"Application", "Tâche", "Système"},
         {"OK", "OK, Annuler", "Abandonner, Recommencer, Ignorer", "Oui, Non, Annuler", "Oui, Non",
          "Recommencer, Annuler"},
         {"1", "2", "3"},
         "Tester",
         "Copier",
         "Copier dans le Presse-papiers",
         "Insérer",
         "Insérer dans le code source PureBasic",
         "Assistant MessageRequester © ",
         "Orlenka",
         "MessageRequester",
         "L\u2019application n\u2019a pas pu démarrer\ncar le fichier Scintilla.dll est introuvable.",
         "MessageRequester",
         "Insertion impossible\u00A0: l\u2019éditeur de PureBasic n\u2019est plus disponible\u00A0;\n"
         "l\u2019appel reste dans le Presse-papiers.",
         "Rien n\u2019a été remplacé\u00A0: l\u2019appel du code source PureBasic a changé depuis son ouverture.\nLe "
         "nouvel appel est dans le Presse-papiers.",
         {"Aucun appel MessageRequester sélectionné.", "Plusieurs appels MessageRequester sélectionnés.",
          "La sélection ne contient qu\u2019une partie d\u2019un appel.",
          "Impossible de lire le titre de l\u2019appel sélectionné.",
          "Impossible de lire le texte de l\u2019appel sélectionné.",
          "Les indicateurs de l\u2019appel sélectionné sont illisibles."},
     }},
    {InterfaceLanguage::italian,
     windowsItalian,
     {"italiano", "italian"},
     {
         "MessageRequester",
         "Titolo:",
         "Testo:",
         "Icona:",
         "Modalità:",
         "Pulsanti:",
         "Pulsante predefinito:",
         {"Nessuna icona", "Errore", "Domanda", "Avviso", "Informazioni"},
         {"Applicazione", "Attività", "Sistema"},
         {"OK", "OK, Annulla", "Interrompi, Riprova, Ignora", "Sì, No, Annulla", "Sì, No", "Riprova, Annulla"},
         {"1", "2", "3"},
         "Prova",
         "Copia",
         "Copia negli Appunti",
         "Inserisci",
         "Inserisci nel codice sorgente PureBasic",
         "Procedura guidata MessageRequester © ",
         "Orlenka",
         "MessageRequester",
         "Impossibile avviare l\u2019applicazione\nperché manca il file Scintilla.dll.",
         "MessageRequester",
         "Impossibile inserire: l\u2019editor di PureBasic non è più disponibile.\nLa chiamata resta negli Appunti.",
         "Nulla è stato sostituito: la chiamata nel codice sorgente PureBasic è cambiata dopo l\u2019apertura.\nLa "
         "nuova chiamata è negli Appunti.",
         {"Nessuna chiamata a MessageRequester selezionata.", "Più chiamate a MessageRequester selezionate.",
          "La selezione contiene solo parte di una chiamata.", "Il titolo della chiamata selezionata non è leggibile.",
          "Il testo della chiamata selezionata non è leggibile.",
          "I flag della chiamata selezionata non sono leggibili."},
     }},
    {InterfaceLanguage::spanish,
     windowsSpanish,
     {"spanish", "espanol"},
     {
         "MessageRequester",
         "Título:",
         "Texto:",
         "Icono:",
         "Modalidad:",
         "Botones:",
         "Botón predeterminado:",
         {"Sin icono", "Error", "Pregunta", "Advertencia", "Información"},
         {"Aplicación", "Tarea", "Sistema"},
         {"Aceptar", "Aceptar, Cancelar", "Anular, Reintentar, Omitir", "Sí, No, Cancelar", "Sí, No",
          "Reintentar, Cancelar"},
         {"1", "2", "3"},
         "Probar",
         "Copiar",
         "Copiar en el Portapapeles",
         "Insertar",
         "Insertar en el código fuente de PureBasic",
         "Asistente de MessageRequester © ",
         "Orlenka",
         "MessageRequester",
         "No se pudo iniciar la aplicación\nporque falta el archivo Scintilla.dll.",
         "MessageRequester",
         "No se pudo insertar: el editor de PureBasic ya no está disponible.\nLa llamada sigue en el Portapapeles.",
         "No se reemplazó nada: la llamada del código fuente de PureBasic cambió después de abrirla.\nLa nueva "
         "llamada está en el Portapapeles.",
         {"Sin llamadas a MessageRequester en la selección.", "Varias llamadas a MessageRequester en la selección.",
          "La selección solo contiene parte de una llamada.", "Título ilegible en la llamada seleccionada.",
          "Texto ilegible en la llamada seleccionada.", "Indicadores ilegibles en la llamada seleccionada."},
     }},
}};

constexpr bool rowsFollowTheEnumeration() {
    for (std::size_t index = 0; index < languageTable.size(); ++index) {
        if (static_cast<std::size_t>(languageTable[index].language) != index) {
            return false;
        }
    }
    return true;
}
static_assert(rowsFollowTheEnumeration());

// The Latin-1 letters U+00C0 to U+00FF by their low five bits, which a capital
// and its small letter share (but for U+00DF and U+00FF): the letters they fold
// to; empty for the signs U+00D7 and U+00F7.
constexpr std::array<std::string_view, 32> latin1Folds{
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
};
constexpr char32_t firstLatin1Letter = 0xC0;
constexpr char32_t smallYWithDiaeresis = 0xFF;
constexpr char32_t firstCyrillicCapital = 0x410;
constexpr char32_t lastCyrillicCapital = 0x42F;
constexpr char32_t cyrillicSmallOffset = 0x20;
constexpr char32_t cyrillicCapitalIo = 0x401;
constexpr char32_t cyrillicSmallIo = 0x451;

struct Character {
    char32_t codePoint = 0;
    std::size_t length = 0;
};

// The character at the start of text: a two-byte UTF-8 sequence, else one byte
// read as Windows-1252, whose letters above 0xBF are those of Latin-1.
Character leadingCharacter(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead >= 0xC2 && lead <= 0xDF && text.size() > 1) {
        const auto next = static_cast<unsigned char>(text[1]);
        if ((next & 0xC0U) == 0x80U) {
            return {static_cast<char32_t>(((lead & 0x1FU) << 6U) | (next & 0x3FU)), 2};
        }
    }
    return {lead, 1};
}

void appendFolded(std::string& out, char32_t codePoint) {
    if (codePoint >= 'A' && codePoint <= 'Z') {
        out += static_cast<char>(codePoint - 'A' + 'a');
    } else if (codePoint == smallYWithDiaeresis) {
        out += 'y';
    } else if (codePoint >= firstLatin1Letter && codePoint <= smallYWithDiaeresis &&
               !latin1Folds[codePoint & 0x1FU].empty()) {
        out += latin1Folds[codePoint & 0x1FU];
    } else if (codePoint >= firstCyrillicCapital && codePoint <= lastCyrillicCapital) {
        appendUtf8(out, codePoint + cyrillicSmallOffset);
    } else if (codePoint == cyrillicCapitalIo) {
        appendUtf8(out, cyrillicSmallIo);
    } else {
        appendUtf8(out, codePoint);
    }
}

// The name in small letters without accents, as the table's IDE names are written.
std::string foldedName(std::string_view name) {
    std::string folded;
    while (!name.empty()) {
        const Character character = leadingCharacter(name);
        appendFolded(folded, character.codePoint);
        name.remove_prefix(character.length);
    }
    return folded;
}

std::optional<InterfaceLanguage> languageOfIdeName(std::string_view ideName) {
    const std::string folded = foldedName(ideName);
    for (const LanguageRow& row : languageTable) {
        for (const std::string_view name : row.ideNames) {
            if (!name.empty() && name == folded) {
                return row.language;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

const InterfaceTexts& interfaceTexts(InterfaceLanguage language) {
    const auto index = static_cast<std::size_t>(language);
    if (index >= languageTable.size()) {
        return languageTable[0].texts;
    }
    return languageTable[index].texts;
}

bool widensOpenedLists(InterfaceLanguage language) {
    const auto index = static_cast<std::size_t>(language);
    return index < languageTable.size() && languageTable[index].widensOpenedLists;
}

InterfaceLanguage chooseInterfaceLanguage(std::optional<std::string_view> ideLanguage,
                                          std::uint16_t windowsUiLanguageId) {
    if (ideLanguage.has_value()) {
        return languageOfIdeName(*ideLanguage).value_or(InterfaceLanguage::english);
    }
    const auto primaryLanguage = static_cast<std::uint16_t>(windowsUiLanguageId & primaryLanguageMask);
    for (const LanguageRow& row : languageTable) {
        if (row.windowsPrimaryLanguage == primaryLanguage) {
            return row.language;
        }
    }
    const bool readsRussian = std::find(windowsReadersOfRussian.begin(), windowsReadersOfRussian.end(),
                                        primaryLanguage) != windowsReadersOfRussian.end();
    return readsRussian ? InterfaceLanguage::russian : InterfaceLanguage::english;
}
