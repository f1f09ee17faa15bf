#include "comm/LineCycle.h"

#include <utility>

#include "comm/RecordLine.h"

namespace vorn {

namespace {

struct AnswerEnd {
    bool stopped = false;
    int result = 0;
    std::string refused;  // an intact frame refused for its content
};

// The frames of one answer, up to the one ended by ETX, each acknowledged as it comes. The
// answer fails past the request's bound on frames, and when a frame does not come whole within
// the time without progress.
AnswerEnd receiveWholeAnswer(PassContext& pass, LineOutcome& out, const AttemptProgress& progress) {
    const int bound =
        pass.state.answerFrameLimit > 0 ? pass.state.answerFrameLimit.load() : kMostAnswerFrames;
    std::string previous;
    for (int frames = 1;; ++frames) {
        std::string text;
        const std::int64_t giveUpAt = pass.clock.nowSeconds() + timing::kNoProgressSeconds;
        const AnswerResult got = receiveAnswer(pass, text, giveUpAt);
        if (got.stopped) {
            return {true, 0, {}};
        }
        if (got.result != 0) {
            return {false, got.result, got.damaged ? std::string() : text};
        }
        if (frames > bound) {
            return {false, lineError::kEndlessAnswer, {}};
        }
        if (frames == 1 || text != previous) {
            out.answers.push_back(text);
            if (countsAsItem(text)) {
                ++out.items;
                if (progress) {
                    progress(out.items);
                }
            }
        }
        if (got.lastFrame) {
            return {};
        }
        previous = std::move(text);
    }
}

// Failures after which the line is not sent again: another send would only bring the same
// endless answer.
bool isFinal(int error) {
    return error == lineError::kEndlessAnswer || error == lineError::kNoProgress;
}

}  // namespace

bool countsAsItem(const std::string& answer) {
    return answer.size() > envelope::kLength;
}

LineOutcome serveLine(PassContext& pass, const std::string& line, const AttemptProgress& progress) {
    LineOutcome out;
    for (int sends = 1;; ++sends) {
        const SendResult sent = sendLine(pass, line);
        if (sent.stopped) {
            return {LineOutcome::End::Stopped, {}, 0, {}};
        }
        AnswerEnd answer{false, pass.state.lastError, {}};
        if (answer.result == 0 && sent.expectAnswer) {
            answer = receiveWholeAnswer(pass, out, progress);
            if (answer.stopped) {
                return {LineOutcome::End::Stopped, {}, 0, {}};
            }
        }
        const bool failed = pass.state.timeout || answer.result != 0;
        if (!failed) {
            return out;
        }
        // The repeat rule: once the scale has acknowledged a frame, a failed line is sent again,
        // up to four sends in all, and what the failed attempt brought is dropped.
        if (sends < timing::kSends && !pass.state.unacknowledged && !isFinal(answer.result)) {
            pass.state.lastError = 0;
            out.answers.clear();
            if (std::exchange(out.items, 0) > 0 && progress) {
                progress(0);
            }
            continue;
        }
        if (answer.result == 0) {
            return out;  // the last read timed out, yet the answer came whole
        }
        out.end = LineOutcome::End::Failed;
        out.answers.clear();
        out.items = 0;
        out.errorLine = lineError::line(answer.result, answer.refused);
        return out;
    }
}

}  // namespace vorn
