// The scale's answer to the preset key request, as any scale may send it: what it is read into
// is always keys that the editor can show, save and send in records of their fixed lengths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/code/PresetKeyRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    vorn::PresetKeys keys;
    vorn::applyPresetAnswer(keys, vorn::parsePresetAnswer(lines));
    if (keys.operatorKeys < 1 || keys.operatorKeys > vorn::presetkey::kMaxReceivedOperatorKeys) {
        __builtin_trap();
    }
    for (const vorn::PresetLineForm form :
         {vorn::PresetLineForm::Editor, vorn::PresetLineForm::Batch}) {
        const vorn::PresetSendLines out = vorn::presetSendLines(keys, form);
        if (out.problem.empty() == out.lines.empty()) {
            __builtin_trap();
        }
        for (std::size_t i = 0; i < out.lines.size(); ++i) {
            const std::size_t expected = i == 0 ? vorn::presetrecord::kKeyboardLength : 39;
            if (out.lines[i].size() != expected) {
                __builtin_trap();
            }
        }
    }
    const vorn::LoadedPresetKeys reread = vorn::parseKeyFile(vorn::keyFileBytes(keys));
    if (!reread.problem.empty()) {
        __builtin_trap();
    }
    return 0;
}
