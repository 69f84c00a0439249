// SPDX-License-Identifier: MIT
// The shared file dialog on Qt's own widget QFileDialog, driven by "Description|pattern" filters.
#include "ui/common_dialog.h"

#include <QFileDialog>
#include <QRegularExpression>

#include <algorithm>

namespace zp {
namespace {

// Patterns separated by ";" (as the filter texts write them) or by blanks (Qt's way).
QStringList splitPatterns(const QString& list)
{
    static const QRegularExpression separators(QStringLiteral("[\\s;]+"));
    return list.split(separators, Qt::SkipEmptyParts);
}

// The patterns a name filter lists in its closing parentheses; none when the text does not
// end with such a list.
QStringList patternsOf(const QString& nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf(u'(');
    if (open < 0 || !nameFilter.endsWith(u')'))
        return {};
    return splitPatterns(nameFilter.mid(open + 1, nameFilter.size() - open - 2));
}

// What Qt is given for a name filter: its text, then the bare patterns in parentheses, which Qt
// filters by and, told to hide a filter's details, leaves out of the file-type box, where the text
// shows as it is. Qt's file model takes "*.*" literally and would hide files without a dot, and in
// a save dialog Qt would turn a typed "game.pzl" into "game.*" on choosing "*.*"; plain "*" avoids both.
QString qtFilterFor(const QString& nameFilter)
{
    QStringList patterns = patternsOf(nameFilter);
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    std::replace(patterns.begin(), patterns.end(), QStringLiteral("*.*"), QStringLiteral("*"));
    return nameFilter + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

void setFilters(QFileDialog& dialog, const QStringList& nameFilters)
{
    QStringList qtFilters;
    for (const QString& nameFilter : nameFilters)
        qtFilters << qtFilterFor(nameFilter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtFilters);
}

}   // namespace

CommonDialog::CommonDialog(QWidget* parent) : parent_(parent) {}

void CommonDialog::ShowOpen() { show(false); }

void CommonDialog::ShowSave() { show(true); }

void CommonDialog::show(bool save)
{
    const QString chosen = run(save, nameFilters(Filter), FileName);
    if (!chosen.isEmpty())
        FileName = chosen;
}

QStringList CommonDialog::nameFilters(const QString& filter)
{
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QStringList wanted = splitPatterns(parts.value(i + 1));
        if (wanted.isEmpty() || patternsOf(description) == wanted)
            result << description;
        else
            result << description + QStringLiteral(" (") + wanted.join(u' ') + u')';
    }
    return result;
}

QString CommonDialog::run(bool save, const QStringList& nameFilters, const QString& preset)
{
    QFileDialog dialog(parent_);
    // Must come first: the widget dialog has to exist before the other settings are made.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The game's writer asks about overwriting itself, and a name that does not exist goes to
    // the command, which answers in the game's own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    setFilters(dialog, nameFilters);
    dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

}   // namespace zp
