// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cerrno>
#include <optional>
#include <utility>

// The system's own words for an errno value ("Permission denied"). The one place errno becomes
// text, so every message says it the same way.
QString systemError(int error = errno);

// Why something failed, worded for the user ("Permission denied", "it is not a regular file").
// The caller that knows the file puts its name in front.
struct Failure
{
    QString reason;

    static Failure ofSystem(int error = errno) { return { systemError(error) }; }
};

// What a step that can fail gives back: its value, or the reason it failed. Every step in
// Morvane that can fail returns one, so a caller tests each the same way:
//
//     Result<QByteArray> bytes = file.readAll();
//     if (!bytes)
//         return bytes.failure();
//     use(*bytes);
template<typename T = void> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) { }
    Result(Failure failure) : m_reason(std::move(failure.reason)) { }

    explicit operator bool() const { return m_value.has_value(); }
    T &operator*() { return *m_value; }
    const T &operator*() const { return *m_value; }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }

    const QString &reason() const { return m_reason; }
    Failure failure() const { return { m_reason }; }

private:
    std::optional<T> m_value;
    QString m_reason;
};

template<> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_reason(std::move(failure.reason)) { }

    explicit operator bool() const { return !m_failed; }
    const QString &reason() const { return m_reason; }
    Failure failure() const { return { m_reason }; }

private:
    bool m_failed = false;
    QString m_reason;
};
