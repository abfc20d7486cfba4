#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <stdexcept>
#include <string>

namespace quillstone::testing {

// The child of `parent` with this object name and type. A missing one fails the test with
// its name and ends the test body through an exception, so no test goes on with a null
// pointer. Call it from the test body, not from a slot: an exception must not cross Qt's
// event loop.
template <typename T>
T* FindChild(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  if (child == nullptr) {
    ADD_FAILURE() << "no child named " << name;
    throw std::runtime_error(std::string("no child named ") + name);
  }
  return child;
}

}  // namespace quillstone::testing
