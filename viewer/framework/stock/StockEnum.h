// The type information of the enumerations the stock units publish: their
// type name and their values' names in order, made once.
//   STOCK_ENUM(Fn, Type, names...)        Fn() for the unit's own use
//   STOCK_ENUM_SHARED(Fn, Type, names...) Fn() declared in the unit's header
#pragma once

#include "core/TypInfo.h"

#define STOCK_ENUM_SHARED(Fn, Type, ...)           \
  const TEnumInfo& Fn() {                          \
    static const TEnumInfo e{Type, {__VA_ARGS__}}; \
    return e;                                      \
  }

#define STOCK_ENUM(Fn, Type, ...) static STOCK_ENUM_SHARED(Fn, Type, __VA_ARGS__)
