#include "profiles/JsonAccess.h"

#include <cstring>

namespace jsonaccess {
namespace {

Json::Value& Ensure(Json::Value& value, Json::ValueType type) {
    if (value.type() != type) {
        value = Json::Value(type);
    }
    return value;
}

}  // namespace

const Json::Value* Member(const Json::Value* object, const char* key) {
    if (object == nullptr || !object->isObject()) {
        return nullptr;
    }
    const Json::Value* found = object->find(key, key + std::strlen(key));
    return found != nullptr && !found->isNull() ? found : nullptr;
}

const Json::Value* Element(const Json::Value* array, Json::ArrayIndex index) {
    if (array == nullptr || !array->isArray() || index >= array->size()) {
        return nullptr;
    }
    const Json::Value& element = (*array)[index];
    return element.isNull() ? nullptr : &element;
}

const Json::Value* ObjectMember(const Json::Value* object, const char* key) {
    const Json::Value* member = Member(object, key);
    return member != nullptr && member->isObject() ? member : nullptr;
}

const Json::Value* ArrayMember(const Json::Value* object, const char* key) {
    const Json::Value* member = Member(object, key);
    return member != nullptr && member->isArray() ? member : nullptr;
}

std::int64_t Integer(const Json::Value* value) {
    if (value == nullptr) {
        return 0;
    }
    switch (value->type()) {
        case Json::intValue:
            return value->asInt64();
        case Json::uintValue:
            return static_cast<std::int64_t>(value->asUInt64());
        case Json::booleanValue:
            return value->asBool() ? 1 : 0;
        case Json::realValue:
            if (value->isInt64()) {
                return value->asInt64();
            }
            if (value->isUInt64()) {
                return static_cast<std::int64_t>(value->asUInt64());
            }
            return 0;
        default:
            return 0;
    }
}

std::uint8_t LowByte(const Json::Value* value) {
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(Integer(value)) & 0xFFu);
}

std::uint16_t Low16(const Json::Value* value) {
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(Integer(value)) & 0xFFFFu);
}

std::int32_t Low32(const Json::Value* value) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(Integer(value)) & 0xFFFFFFFFu));
}

bool Flag(const Json::Value* value) {
    if (value != nullptr && value->type() == Json::realValue) {
        return value->asDouble() != 0.0;
    }
    return Integer(value) != 0;
}

std::string Text(const Json::Value* value) {
    return value != nullptr && value->isString() ? value->asString() : std::string();
}

Json::Value& ObjectAt(Json::Value& parent, const char* key) {
    return Ensure(Ensure(parent, Json::objectValue)[key], Json::objectValue);
}

Json::Value& ArrayAt(Json::Value& parent, const char* key) {
    return Ensure(Ensure(parent, Json::objectValue)[key], Json::arrayValue);
}

Json::Value& ObjectAt(Json::Value& parent, Json::ArrayIndex index) {
    return Ensure(Ensure(parent, Json::arrayValue)[index], Json::objectValue);
}

Json::Value& ArrayAt(Json::Value& parent, Json::ArrayIndex index) {
    return Ensure(Ensure(parent, Json::arrayValue)[index], Json::arrayValue);
}

}  // namespace jsonaccess
