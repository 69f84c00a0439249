// SPDX-License-Identifier: MIT
// The file dialog shared by the Open, Save and Other Image commands.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zp {

// One file dialog shared by the commands, used in three steps: set Filter, Show..., read FileName.
// Shown as Qt's own widget dialog so that it looks the same on every desktop. Neither a title,
// a starting folder nor a default suffix is set: the dialog starts where Qt's file dialog
// starts by default, the current directory or the folder last visited in this run.
class CommonDialog {
public:
    explicit CommonDialog(QWidget* parent);
    virtual ~CommonDialog() = default;
    QString Filter;     // "Description|pattern|Description|pattern..." (vertical bars)
    QString FileName;   // preset name in, chosen name out; a cancelled dialog leaves it unchanged
    void ShowOpen();    // modal open-file dialog; takes any name typed, existing or not
    void ShowSave();    // modal save-file dialog; never asks about overwriting itself
    // Qt name filters for a "|"-separated filter: one per pair, the visible text exactly the
    // pair's description (e.g. "Puzzle file (*.pzl)"), its patterns those of the pair.
    // Several patterns of one pair are separated by ";". A description that does not end by
    // listing its pair's patterns in parentheses gets " (patterns)" appended, because the
    // dialog reads the patterns from that text; a name filter without such a list shows every
    // file. A pair without a pattern keeps its description as it is. An empty filter gives
    // no name filters.
    static QStringList nameFilters(const QString& filter);

protected:
    // Shows the dialog and returns the chosen path, or an empty text when cancelled.
    // Tests override this to script the user's answer.
    // `nameFilters` as made by nameFilters(): the first one is in force when the dialog opens;
    // "*.*" lists every file, also one without a dot. A non-empty `preset` is put in the
    // file-name field. The path returned is absolute, as the dialog gives it.
    virtual QString run(bool save, const QStringList& nameFilters, const QString& preset);

private:
    void show(bool save);

    QWidget* parent_;   // may be null
};

}   // namespace zp
