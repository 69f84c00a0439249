// SPDX-License-Identifier: MIT
// Message boxes answered by a test: each one shown is recorded, answers are given in order.
#pragma once

#include "platform/platform.h"

#include <deque>
#include <vector>

namespace zp::test {

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
