// SPDX-License-Identifier: MIT
#include "batch.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "batch_line.h"
#include "command_table.h"

namespace {

// Reads standard input in large blocks. Before it waits for more input it
// flushes the answers so far, so that a script that writes one line and
// reads the answer through a pipe is never left waiting, while a long batch
// still goes out in large writes.
class LineReader {
public:
    bool Next(std::string_view& line) {
        while (true) {
            const char* begin = m_buffer.data() + m_start;
            if (const void* end = std::memchr(begin, '\n', m_end - m_start)) {
                const auto length = static_cast<const char*>(end) - begin;
                line = std::string_view(begin, length);
                m_start += length + 1;
                return true;
            }
            if (m_atEnd) {
                line = std::string_view(begin, m_end - m_start);
                m_start = m_end;
                return !line.empty();
            }
            Fill();
        }
    }

private:
    void Fill() {
        m_buffer.erase(0, m_start);
        m_end -= m_start;
        m_start = 0;
        if (m_buffer.size() - m_end < kBlock) {
            m_buffer.resize(m_end + kBlock);
        }
        std::fflush(stdout);
        ssize_t count = 0;
        do {
            count = read(STDIN_FILENO, m_buffer.data() + m_end, m_buffer.size() - m_end);
        } while (count < 0 && errno == EINTR);
        if (count <= 0) {
            m_atEnd = true;
        } else {
            m_end += static_cast<std::size_t>(count);
        }
    }

    static constexpr std::size_t kBlock = 1 << 16;
    std::string m_buffer;
    std::size_t m_start = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
};

void Write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int RunBatch(Mode mode) {
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    LineReader reader;
    std::string_view line;
    std::vector<std::string_view> fields;
    std::string error;
    while (reader.Next(line)) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        Outcome outcome;
        if (!SplitBatchLine(line, fields, error)) {
            outcome = UsageError(error);
        } else if (AnswersInManyLines(fields.front())) {
            outcome = UsageError(std::string(fields.front()) +
                                 " answers in many lines: run it as a command of its own");
        } else {
            outcome = RunCommand(fields, mode);
        }
        if (outcome.status == Outcome::Status::Ok ||
            (outcome.status == Outcome::Status::Refused && mode == Mode::Raw)) {
            Write(outcome.line);
        } else {
            Write("error: " + outcome.reason);
        }
    }
    std::fflush(stdout);
    return 0;
}
