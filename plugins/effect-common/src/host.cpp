// Host requests: dialog notices, progress and the object loop.
#include <effect/common.h>

#include <hostcommon.h>

#include <memory>
#include <new>

namespace effect {

LONG HostRequest(const T32HOSTOBJECT* host, LONG code, LONG value1, LONG value2,
                 LONG_PTR argument, LONG fallback) {
  if (!host || !host->request) return fallback;
  return host->request(code, value1, value2, argument);
}

void NotifyDialog(const T32HOSTOBJECT* host, LONG event, LONG value, HWND dialog) {
  HostRequest(host, T32_REQ_DIALOG_NOTICE, event, value, static_cast<LONG_PTR>(dialog), 0);
}

Progress::Progress(const T32HOSTOBJECT* host) : host_(host), last_(0) {}

void Progress::Begin() {
  if (!host_) return;
  last_ = host_->progressStart;
  HostRequest(host_, T32_REQ_PROGRESS_BEGIN, host_->progressStart, 0, host_->userValue, 0);
}

void Progress::Step(LONGLONG done, LONGLONG total) {
  if (!host_ || total <= 0) return;
  LONGLONG range = static_cast<LONGLONG>(host_->progressEnd) - host_->progressStart;
  LONG value = static_cast<LONG>(host_->progressStart + done * range / total);
  if (value <= last_) return;
  last_ = value;
  HostRequest(host_, T32_REQ_PROGRESS_STEP, value, 0, host_->userValue, 0);
}

void Progress::End() {
  if (!host_) return;
  HostRequest(host_, T32_REQ_PROGRESS_END, host_->progressEnd, 0, host_->userValue, 0);
}

BOOL Progress::CancelRequested() const {
  return host_ && host_->cancelCheck && t32IsEscPressed();
}

namespace {

// Frees every listed object's result buffer; handles that are not live
// buffers are only cleared.
void FreeObjectResults(T32OBJECTENTRY* list, LONG count) {
  for (LONG i = 0; i < count; ++i) {
    HBUF* slot = list[i].result;
    if (!slot) continue;
    if (*slot && buf32GetInfo(*slot, nullptr)) buf32Free(*slot);
    *slot = 0;
  }
}

}  // namespace

BOOL ForEachObject(T32HOSTOBJECT* host, HBUF source, HANDLE second, HBUF* result, LONG unit,
                   const ObjectEffect& effect) {
  LONG count = 1;
  HostRequest(host, T32_REQ_OBJECT_COUNT, 0, 0, reinterpret_cast<LONG_PTR>(&count), 0);
  if (count <= 1 || !host) return effect(source, second, result, host);

  std::unique_ptr<T32OBJECTENTRY[]> list(new (std::nothrow) T32OBJECTENTRY[count]());
  if (!list) {
    SetError(C32ERR_OUT_OF_MEMORY, unit, 1, 1);
    return FALSE;
  }
  HostRequest(host, T32_REQ_OBJECT_LIST, 0, 0, reinterpret_cast<LONG_PTR>(list.get()), 0);

  const LONG start = host->progressStart;
  const LONG end = host->progressEnd;
  const LONG step = (end - start) / count;
  BOOL ok = TRUE;
  for (LONG i = 0; i < count && ok; ++i) {
    host->progressStart = start + i * step;
    host->progressEnd = (i == count - 1) ? end : start + (i + 1) * step;
    ok = effect(list[i].source, list[i].second, list[i].result, host);
  }
  host->progressStart = start;
  host->progressEnd = end;
  if (!ok) FreeObjectResults(list.get(), count);
  return ok;
}

WaitCursor::WaitCursor() : previous_(SetCursor(LoadCursorA(0, IDC_WAIT))) {}

WaitCursor::~WaitCursor() { SetCursor(previous_); }

}  // namespace effect
