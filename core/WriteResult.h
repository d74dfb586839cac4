#pragma once

#include <QString>
#include <type_traits>
#include <utility>

namespace core {

// Why a write did not land; the files are then as they were.
struct Failure
{
    QString problem;
};

inline Failure failure(QString problem)
{
    return {problem.isEmpty() ? QStringLiteral("the file could not be written")
                              : std::move(problem)};
}

// What every write answers: it landed, with what it made (such as a new row's id), or it
// did not, with the reason.
template <class T = bool> class WriteResult
{
public:
    // A write that makes nothing to answer with.
    WriteResult() requires std::is_same_v<T, bool> : m_value(true) {}
    WriteResult(T value) : m_value(std::move(value)) {}
    WriteResult(Failure failed) : m_value{}, m_problem(std::move(failed.problem)) {}

    bool ok() const { return m_problem.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString &problem() const { return m_problem; }
    const T &value() const { return m_value; }

private:
    T m_value;
    QString m_problem;
};

} // namespace core
