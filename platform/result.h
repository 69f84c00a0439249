// SPDX-License-Identifier: MIT
// Work that can be refused: its value, or the reason it could not be had.
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace zp {

// Why something could not be had or done: a short English text for the log (warnings in the
// categories zp.files and zp.pictures), never what a message box says.
struct Refusal {
    QString reason;
};

// The value of work that yields nothing but having been done.
struct Done {};

// A T, or the Refusal that stood in its way. A function returns either; callers test it as a bool.
template <class T = Done> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Refusal refusal) : reason_(std::move(refusal.reason)) {}

    explicit operator bool() const { return value_.has_value(); }
    // These require a value.
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Empty when there is a value.
    const QString& reason() const { return reason_; }
    Refusal refusal() const { return {reason_}; }

private:
    std::optional<T> value_;
    QString reason_;
};

}   // namespace zp
