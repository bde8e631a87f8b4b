#include "tuning/AdvancedChoices.h"

#include <algorithm>

#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "tuning/ReceiveWindow.h"

namespace brisbolt {

MtuShown ShowMtuFor(std::int32_t systemMtu) {
    MtuShown shown;
    shown.currentMtu = systemMtu;
    if (systemMtu == -1 || systemMtu == MtuDefaultMarker) {
        shown.kind = MtuShown::Kind::Default;
        shown.currentMtu = FallbackMtu;
    } else if (std::find(PresetMtus.begin(), PresetMtus.end(), systemMtu) != PresetMtus.end()) {
        shown.kind = MtuShown::Kind::Preset;
    } else {
        shown.kind = MtuShown::Kind::Manual;
    }
    shown.comboText = std::to_string(shown.currentMtu);
    for (std::size_t i = 0; i < ManualMtuItems.size(); ++i)
        if (shown.comboText == ManualMtuItems[i]) shown.comboItem = static_cast<int>(i);
    return shown;
}

std::optional<std::int32_t> ParseManualMtu(std::string_view text) {
    const std::int32_t mtu = TextToInteger(text, -1);
    if (mtu < LowestManualMtu || mtu > HighestManualMtu) return std::nullopt;
    return mtu;
}

NdiChoice NdiChoiceFor(std::int32_t systemValue) {
    if (systemValue == 0) return NdiChoice::Default;
    return systemValue == 16 ? NdiChoice::Sixteen : NdiChoice::ThirtyTwo;
}

NdiStore NdiStoreFor(bool mtuDefaultSelected, NdiChoice choice) {
    if (!mtuDefaultSelected) return {true, ""};
    switch (choice) {
        case NdiChoice::Sixteen: return {false, "16"};
        case NdiChoice::ThirtyTwo: return {false, "32"};
        default: return {false, DefaultNdiText};
    }
}

KeepAliveShown KeepAliveFor(std::int32_t systemValue) {
    if (systemValue == KeepAliveDefault) return {KeepAliveChoice::Default, MaxKeepAliveMinutes};
    if (systemValue == KeepAliveTenMinutes) return {KeepAliveChoice::TenMinutes, MaxKeepAliveMinutes};
    const std::int32_t minutes =
        std::clamp(systemValue / MillisecondsPerMinute, MinKeepAliveMinutes, MaxKeepAliveMinutes);
    return {KeepAliveChoice::Manual, minutes};
}

std::int32_t KeepAliveToStore(KeepAliveChoice choice, std::int32_t spinMinutes) {
    switch (choice) {
        case KeepAliveChoice::Default: return KeepAliveDefault;
        case KeepAliveChoice::TenMinutes: return KeepAliveTenMinutes;
        case KeepAliveChoice::SixtyMinutes: return KeepAliveSixtyMinutes;
        default: return std::clamp(spinMinutes, MinKeepAliveMinutes, MaxKeepAliveMinutes) * MillisecondsPerMinute;
    }
}

TtlChoice TtlChoiceFor(std::int32_t systemValue) {
    if (systemValue == 64) return TtlChoice::SixtyFour;
    return systemValue == 128 ? TtlChoice::OneTwentyEight : TtlChoice::Default;
}

RecordCopy RecordCopy::Take() {
    RecordCopy copy;
    auto key = ActiveRegistry().OpenForReading(RootKey::CurrentUser, ProgramKey);
    for (const char* name : AdvancedRecordNames) copy.values_.emplace_back(name, key ? key->Query(name) : std::nullopt);
    return copy;
}

bool RecordCopy::PutBack() const {
    const bool anyPresent =
        std::any_of(values_.begin(), values_.end(), [](const auto& value) { return value.second.has_value(); });
    auto key = ActiveRegistry().OpenForWriting(RootKey::CurrentUser, ProgramKey, anyPresent);
    if (!key) return false;
    bool allBack = true;
    for (const auto& [name, value] : values_) {
        const bool back = value ? key->Set(name, *value) : key->Delete(name) || !ValueExists(*key, name);
        allBack = allBack && back;
    }
    return allBack;
}

std::int32_t TtlToStore(TtlChoice choice) {
    switch (choice) {
        case TtlChoice::SixtyFour: return 64;
        case TtlChoice::OneTwentyEight: return 128;
        default: return 32;
    }
}

}  // namespace brisbolt
