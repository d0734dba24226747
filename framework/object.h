// The root of the program's own classes: a run-time class record per class,
// carrying the class name and the base class record.
#pragma once

struct CRuntimeClass {
  const char* m_className;
  const CRuntimeClass* m_pBaseClass;

  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();

  bool IsKindOf(const CRuntimeClass* cls) const;
};

#define RUNTIME_CLASS(name) (&name::class##name)

// In the class body.
#define DECLARE_RUNTIME_CLASS(name)        \
 public:                                   \
  static const CRuntimeClass class##name;  \
  const CRuntimeClass* GetRuntimeClass() const override;

// In one source file.
#define IMPLEMENT_RUNTIME_CLASS(name, base)                                 \
  const CRuntimeClass name::class##name = {#name, RUNTIME_CLASS(base)};     \
  const CRuntimeClass* name::GetRuntimeClass() const { return &class##name; }
