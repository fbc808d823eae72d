// Root of the image library's classes.
#pragma once

class PLObject {
 public:
  virtual ~PLObject() = default;
  // Kept for the class layout; no class of the library gives it a meaning.
  virtual void AssertValid() const {}
};
