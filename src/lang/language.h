// The language a run of kestra or kestra-cli speaks: one per run, chosen once
// at start-up. Chinese is the source language (every text is written in it);
// English is the one shipped translation (kestra_en.qm in the resources).
// QtCore only, shared by both programs.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QTranslator;

namespace kestra {

enum class Language { Chinese, English };

// "zh" or "en" (case-insensitive), as --lang and the settings give it; false
// for anything else.
bool ParseLanguage(const QString& code, Language& language);
QString LanguageCode(Language language);

// The language for a list of preferred UI languages (QLocale::uiLanguages()):
// Chinese when the first is zh*, English for every other one and for none
// (the C/POSIX locale).
Language LanguageForUiLanguages(const QStringList& uiLanguages);

// The user's locale for choosing the language: the C locale when messages
// follow it (LC_ALL, else LC_MESSAGES, else LANG is C, POSIX or C.*),
// whatever LANGUAGE asks for, as gettext has it: a script sets LC_ALL=C for
// messages it can read; else QLocale::system().
QLocale UserLocale();

// Removes "--lang CODE" / "--lang=CODE" from arguments (program name first;
// any position before a "--"). Returns false with a message when the option
// has no value or an unknown one; language stays unset when it is absent.
bool TakeLanguageOption(QStringList& arguments, bool& given, Language& language, QString& error);

// Loads the catalogue of the language (none for Chinese: the source texts)
// from kestra_<code>.qm in appDirectory when there is one, else from the
// resources, installs it on the application when there is one and lets core
// compose its messages in it (SetTextTranslator). It replaces the catalogue
// installed before. Profiles read the labels of every shipped language
// (core/forms/profile_labels.h) and print the source labels unless
// printLabels is set. The default QLocale takes the language too (with the
// user's country where Qt has that pair), so that Qt's words from the locale
// (a file dialog's file types and sizes) match it. Returns the catalogue, or
// nullptr for Chinese or when the catalogue is missing.
QTranslator* InstallLanguage(Language language, const QString& appDirectory = QString(),
                             bool printLabels = false);

// Lets the operating system's words in messages (strerror: "No such file or
// directory") speak the installed language too, whatever the user's locale
// says: InstallLanguage does it, and a QCoreApplication created later (its
// constructor takes the locale from the environment again) needs it once
// more.
void ApplySystemMessageLanguage();

// The language installed last (Chinese before any).
Language CurrentLanguage();

// The text in the installed language (the source without a catalogue); for a
// KESTRA_COUNT_TEXT, in the form for count (%n is left for the caller).
QString Translate(const char* source, int count = -1);

} // namespace kestra
