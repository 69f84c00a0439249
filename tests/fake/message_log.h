// SPDX-License-Identifier: MIT
// Message boxes answered by a test: each one shown is recorded, answers are given in order.
#pragma once

#include "platform/platform.h"

#include <deque>
#include <vector>

namespace zp::test {

// The program's own messages, word for word as the player reads them.
inline const QString CannotFindText = QString::fromUtf8("Nemohu nalézt potřebný soubor.");
inline const QString OverwriteText = "The file you selected already exists. Do you want to overwrite it?";

struct ShownMessage {
    QString text;
    MsgStyle style;
    QString title;
};

struct MessageLog {
    std::vector<ShownMessage> messages;
    std::deque<MsgResult> answers;   // then Ok, or No to a question

    MsgResult record(const QString& text, MsgStyle style, const QString& title)
    {
        messages.push_back({text, style, title});
        if (answers.empty())
            return style == MsgStyle::QuestionYesNo ? MsgResult::No : MsgResult::Ok;
        const MsgResult a = answers.front();
        answers.pop_front();
        return a;
    }
};

}   // namespace zp::test
