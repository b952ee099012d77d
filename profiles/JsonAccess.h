#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>

// Type-safe access to parsed JSON documents. jsoncpp throws on wrong-typed access and creates
// members on non-const lookup; these helpers do neither: a lookup never changes the document, and
// a member of the wrong type reads as missing.
namespace jsonaccess {

// The member key of object, or nullptr when object is not an object, lacks key, or holds null
// there.
const Json::Value* Member(const Json::Value* object, const char* key);

// Element index of array, or nullptr when array is not an array, too short, or holds null there.
const Json::Value* Element(const Json::Value* array, Json::ArrayIndex index);

// The member as an object / array, or nullptr when it is missing or has another type.
const Json::Value* ObjectMember(const Json::Value* object, const char* key);
const Json::Value* ArrayMember(const Json::Value* object, const char* key);

// An integer (or an integral real, or a boolean as 0/1) as a 64-bit value; 0 when missing or of
// another type. Values above the signed range keep their bit pattern.
std::int64_t Integer(const Json::Value* value);
std::uint8_t LowByte(const Json::Value* value);
std::uint16_t Low16(const Json::Value* value);
std::int32_t Low32(const Json::Value* value);

// A boolean, or a number read as non-zero; false when missing or of another type.
bool Flag(const Json::Value* value);

// A string's UTF-8 text; empty when missing or of another type.
std::string Text(const Json::Value* value);

// Writers: the member or element as an object / array, created when missing and replaced when it
// has another type, so setters can always write into it. The parent is made an object / array the
// same way.
Json::Value& ObjectAt(Json::Value& parent, const char* key);
Json::Value& ArrayAt(Json::Value& parent, const char* key);
Json::Value& ObjectAt(Json::Value& parent, Json::ArrayIndex index);
Json::Value& ArrayAt(Json::Value& parent, Json::ArrayIndex index);

}  // namespace jsonaccess
