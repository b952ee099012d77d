#pragma once

#include <json/json.h>

// Runs every getter of every profile class on a document, then a few setters, the way the devices
// use them. Used by the corrupt-input test and the fuzz entry: it must never crash or throw.
void ExerciseAllProfileClasses(const Json::Value& document);
