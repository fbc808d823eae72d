// One member of a field record: where it lies in the record, how wide it is,
// and how it is put into bytes, taken out of them and copied between fields.
// The tables of these (record_layout.cpp) are the only description of the
// records: writer, reader and CopyFrom all walk them.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <type_traits>

#include "fields/model/field.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/byte_reader.h"

namespace record_codec {

// Bytes a value takes in a record.
template <class T>
constexpr uint16_t Width() {
  if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
    return sizeof(T);
  } else if constexpr (std::is_same_v<T, double>) {
    return 8;
  } else if constexpr (std::is_same_v<T, FieldPoint>) {
    return 8;
  } else if constexpr (std::is_same_v<T, BdrData>) {
    return 16;
  } else if constexpr (std::is_same_v<T, LOGFONTA>) {
    return 60;
  } else {
    // std::array<E, N>
    return static_cast<uint16_t>(Width<typename T::value_type>() * std::tuple_size_v<T>);
  }
}

inline void PutUnsigned(uint8_t* at, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint64_t GetUnsigned(const uint8_t* at, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint64_t{at[i]} << (8 * i);
  return v;
}

template <class T>
void Put(uint8_t* at, const T& v) {
  if constexpr (std::is_integral_v<T>) {
    PutUnsigned(at, static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(v)), sizeof(T));
  } else if constexpr (std::is_same_v<T, double>) {
    PutUnsigned(at, std::bit_cast<uint64_t>(v), 8);
  } else if constexpr (std::is_same_v<T, FieldPoint>) {
    Put(at, v.x);
    Put(at + 4, v.y);
  } else if constexpr (std::is_same_v<T, BdrData>) {
    Put(at, v.style);
    Put(at + 4, v.width);
    Put(at + 8, v.roundEnds);
    Put(at + 12, v.color);
  } else if constexpr (std::is_same_v<T, LOGFONTA>) {
    const std::array<LONG, 5> longs = {v.lfHeight, v.lfWidth, v.lfEscapement, v.lfOrientation, v.lfWeight};
    for (size_t i = 0; i < longs.size(); ++i) Put(at + 4 * i, static_cast<int32_t>(longs[i]));
    const std::array<BYTE, 8> bytes = {v.lfItalic,       v.lfUnderline,     v.lfStrikeOut, v.lfCharSet,
                                       v.lfOutPrecision, v.lfClipPrecision, v.lfQuality,   v.lfPitchAndFamily};
    for (size_t i = 0; i < bytes.size(); ++i) at[20 + i] = bytes[i];
    for (int i = 0; i < LF_FACESIZE; ++i) at[28 + i] = static_cast<uint8_t>(v.lfFaceName[i]);
  } else {
    constexpr uint16_t w = Width<typename T::value_type>();
    for (size_t i = 0; i < v.size(); ++i) Put(at + w * i, v[i]);
  }
}

template <class T>
void Get(const uint8_t* at, T& v) {
  if constexpr (std::is_integral_v<T>) {
    v = static_cast<T>(static_cast<std::make_unsigned_t<T>>(GetUnsigned(at, sizeof(T))));
  } else if constexpr (std::is_same_v<T, double>) {
    v = std::bit_cast<double>(GetUnsigned(at, 8));
  } else if constexpr (std::is_same_v<T, FieldPoint>) {
    Get(at, v.x);
    Get(at + 4, v.y);
  } else if constexpr (std::is_same_v<T, BdrData>) {
    Get(at, v.style);
    Get(at + 4, v.width);
    Get(at + 8, v.roundEnds);
    Get(at + 12, v.color);
  } else if constexpr (std::is_same_v<T, LOGFONTA>) {
    int32_t l[5];
    for (int i = 0; i < 5; ++i) Get(at + 4 * i, l[i]);
    v.lfHeight = l[0];
    v.lfWidth = l[1];
    v.lfEscapement = l[2];
    v.lfOrientation = l[3];
    v.lfWeight = l[4];
    v.lfItalic = at[20];
    v.lfUnderline = at[21];
    v.lfStrikeOut = at[22];
    v.lfCharSet = at[23];
    v.lfOutPrecision = at[24];
    v.lfClipPrecision = at[25];
    v.lfQuality = at[26];
    v.lfPitchAndFamily = at[27];
    for (int i = 0; i < LF_FACESIZE; ++i) v.lfFaceName[i] = static_cast<char>(at[28 + i]);
    v.lfFaceName[LF_FACESIZE - 1] = 0;  // a face read from a file always ends
  } else {
    constexpr uint16_t w = Width<typename T::value_type>();
    for (size_t i = 0; i < v.size(); ++i) Get(at + w * i, v[i]);
  }
}

}  // namespace record_codec

// Whether a member is taken by CopyFrom (and so by the reader, which copies
// from the bytes it read) or only written.
enum class SlotCopy : uint8_t { kCopied, kWrittenOnly };

struct RecordSlot {
  uint16_t offset;
  uint16_t width;
  SlotCopy copy;
  void (*put)(const CField& field, uint8_t* at);
  void (*get)(CField& field, const uint8_t* at);
  void (*copyFrom)(CField& dst, const CField& src);
};

// A slot for the member that Access reaches in a field of class C.
template <class C, auto Access>
constexpr RecordSlot MakeSlot(uint16_t offset, SlotCopy copy) {
  using T = std::remove_cvref_t<decltype(Access(std::declval<C&>()))>;
  return RecordSlot{
      offset,
      record_codec::Width<T>(),
      copy,
      [](const CField& f, uint8_t* at) { record_codec::Put(at, Access(const_cast<C&>(static_cast<const C&>(f)))); },
      [](CField& f, const uint8_t* at) { record_codec::Get(at, Access(static_cast<C&>(f))); },
      [](CField& d, const CField& s) { Access(static_cast<C&>(d)) = Access(const_cast<C&>(static_cast<const C&>(s))); },
  };
}

#define FIELD_SLOT(Class, offset, member) \
  MakeSlot<Class, [](Class& f) -> auto& { return f.member; }>(offset, SlotCopy::kCopied)
#define FIELD_SLOT_WRITTEN_ONLY(Class, offset, member) \
  MakeSlot<Class, [](Class& f) -> auto& { return f.member; }>(offset, SlotCopy::kWrittenOnly)

// The two file forms of strings after the raw block: W (uint32 length and
// bytes) and S (the string's own form with wide flag, flag byte, code page).
enum class StringForm : uint8_t { kW, kS };

struct StringSlot {
  StringForm form;
  int16_t minVersion;  // read only from a label stream of this version on
  AString& (*member)(CField& field);
};

template <class C, auto Access>
constexpr StringSlot MakeStringSlot(StringForm form, int16_t minVersion) {
  return StringSlot{form, minVersion, [](CField& f) -> AString& { return Access(static_cast<C&>(f)); }};
}

#define FIELD_STRING(Class, form, member) \
  MakeStringSlot<Class, [](Class& f) -> AString& { return f.member; }>(StringForm::form, 0)
#define FIELD_STRING_FROM(Class, form, member, version) \
  MakeStringSlot<Class, [](Class& f) -> AString& { return f.member; }>(StringForm::form, version)
