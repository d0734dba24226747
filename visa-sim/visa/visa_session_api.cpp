// Resource manager, search, open and close.
#include "visa-sim/visa/net_resource.h"
#include "visa-sim/visa/resource_expression.h"
#include "visa-sim/visa/visa_api_support.h"
#include "visa-sim/visa/visa_status_extra.h"
#include "visa-sim/visa/vxi11_resource.h"

using tgqsim::WithWorldLocked;
using tgqsim::ObjectKind;
using tgqsim::SimWorld;
using tgqsim::VisaObject;

namespace {

// How long viOpen waits for a network instrument to take the connection.
constexpr ViUInt32 kConnectTimeoutMs = 2000;

void CloseObject(SimWorld& world, ViObject handle) {
  VisaObject* object = world.Objects().Find(handle);
  if (object->kind == ObjectKind::kInstrument)
    world.Traffic().Record("close", object->network ? object->network->Name()
                                                    : world.Resources()[object->resource].Name());
  world.Objects().Remove(handle);
}

}  // namespace

extern "C" {

ViStatus _VI_FUNC viOpenDefaultRM(ViSession* vi) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [vi](SimWorld& world) {
    if (!vi) return VI_ERROR_INV_PARAMETER;
    *vi = VI_NULL;
    if (std::optional<int32_t> failure = world.Mainframe().rmStatus) return *failure;
    *vi = world.Objects().Add(VisaObject(ObjectKind::kResourceManager));
    return VI_SUCCESS;
  });
}

ViStatus _VI_FUNC viFindRsrc(ViSession sesn, ViString expr, ViFindList* vi, ViUInt32* retCnt,
                             ViChar desc[]) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    if (!world.Objects().Find(sesn, ObjectKind::kResourceManager)) return VI_ERROR_INV_OBJECT;
    if (vi) *vi = VI_NULL;
    if (retCnt) *retCnt = 0;
    if (desc) desc[0] = '\0';
    if (std::optional<int32_t> failure = world.Mainframe().findStatus) return *failure;
    std::optional<tgqsim::ResourceExpression> expression =
        expr ? tgqsim::ResourceExpression::Compile(expr) : std::nullopt;
    if (!expression) return VI_ERROR_INV_EXPR;
    VisaObject list(ObjectKind::kFindList, sesn);
    for (const tgqsim::SimResource& resource : world.Resources())
      if (expression->Matches(resource.Name())) list.matches.push_back(resource.Name());
    if (list.matches.empty()) return VI_ERROR_RSRC_NFOUND;
    tgqsim::CopyDescription(list.matches.front(), desc);
    if (retCnt)
      *retCnt = static_cast<ViUInt32>(list.matches.size() + world.Mainframe().findCountExtra);
    list.nextMatch = 1;
    if (vi) *vi = world.Objects().Add(std::move(list));
    return VI_SUCCESS;
  });
}

ViStatus _VI_FUNC viFindNext(ViFindList vi, ViChar desc[]) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    VisaObject* list = world.Objects().Find(vi, ObjectKind::kFindList);
    if (!list) return VI_ERROR_INV_OBJECT;
    if (list->nextMatch >= list->matches.size()) {
      // Leaves no stale description behind for a caller that ignores the status.
      if (desc) desc[0] = '\0';
      return VI_ERROR_RSRC_NFOUND;
    }
    tgqsim::CopyDescription(list->matches[list->nextMatch++], desc);
    return VI_SUCCESS;
  });
}

ViStatus _VI_FUNC viOpen(ViSession sesn, ViRsrc name, ViAccessMode /*mode*/,
                         ViUInt32 /*timeout*/, ViSession* vi) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    if (!world.Objects().Find(sesn, ObjectKind::kResourceManager)) return VI_ERROR_INV_OBJECT;
    if (!vi) return VI_ERROR_INV_PARAMETER;
    *vi = VI_NULL;
    if (!name || !*name) return VI_ERROR_INV_RSRC_NAME;
    std::optional<size_t> index = world.IndexOf(name);
    if (!index) {
      VisaObject session(ObjectKind::kInstrument, sesn);
      session.network = tgqsim::NetResource::Open(name, kConnectTimeoutMs);
      if (!session.network) session.network = tgqsim::Vxi11Resource::Open(name, kConnectTimeoutMs);
      if (session.network) {
        world.Traffic().Record("open", name);
        *vi = world.Objects().Add(std::move(session));
        return VI_SUCCESS;
      }
      world.Traffic().Record("open-failed", name);
      return VI_ERROR_RSRC_NFOUND;
    }
    const tgqsim::SimResource& resource = world.Resources()[*index];
    ViStatus status = resource.Config().openStatus.value_or(VI_SUCCESS);
    if (status < VI_SUCCESS) {
      world.Traffic().Record("open-failed", resource.Name());
      return status;
    }
    VisaObject session(ObjectKind::kInstrument, sesn);
    session.resource = *index;
    *vi = world.Objects().Add(std::move(session));
    world.Traffic().Record("open", resource.Name());
    return status;
  });
}

ViStatus _VI_FUNC viClose(ViObject vi) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    VisaObject* object = world.Objects().Find(vi);
    if (!object) return vi == VI_NULL ? VI_WARN_NULL_OBJECT : VI_ERROR_INV_OBJECT;
    // Closing a resource manager closes everything opened through it.
    if (object->kind == ObjectKind::kResourceManager)
      for (ViObject owned : world.Objects().OwnedBy(vi)) CloseObject(world, owned);
    CloseObject(world, vi);
    return VI_SUCCESS;
  });
}

}  // extern "C"
