#include "Accessible.h"

#include <oleacc.h>

#include <utility>

namespace vorsa::win32
{

namespace
{

// A COM object goes by its own Release, never through an interface's destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The system's object for the control, with the speaker's answers put first.
class Answering final : public IAccessible
{
public:
    Answering(IAccessible *system, Speaker speaker) : system_(system), speaker_(std::move(speaker))
    {
    }
    Answering(const Answering &) = delete;
    Answering &operator=(const Answering &) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        // Nothing of the system's object under this one's identity: COM
        // marshals this object, as itself, to whoever asked for it.
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        return system_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override
    {
        return system_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale,
                                            DISPID *ids) override
    {
        return system_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS *parameters, VARIANT *result, EXCEPINFO *exception,
                                     UINT *wrong) override
    {
        return system_->Invoke(id, iid, locale, flags, parameters, result, exception, wrong);
    }

    // IAccessible: what the speaker answers
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override
    {
        if (!speaker_.children)
            return system_->get_accChildCount(count);
        *count = speaker_.children();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        return AnswerText(child, name, &Spoken::name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        return AnswerText(child, value, &Spoken::value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *keys) override
    {
        return AnswerText(child, keys, &Spoken::keys, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        return AnswerNumber(child, role, &Spoken::role, &IAccessible::get_accRole);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        return AnswerNumber(child, state, &Spoken::state, &IAccessible::get_accState);
    }

    // IAccessible: the system's
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        return system_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override
    {
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override
    {
        return system_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *text) override
    {
        return system_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override
    {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override
    {
        return system_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override
    {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        return system_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override
    {
        return system_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                          VARIANT child) override
    {
        return system_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override
    {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT *child) override
    {
        return system_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return system_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return system_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return system_->put_accValue(child, value);
    }

private:
    ~Answering() { system_->Release(); }

    std::optional<Spoken> SpokenOf(const VARIANT &child) const
    {
        if (child.vt != VT_I4)
            return std::nullopt;
        return speaker_.spoken(child.lVal);
    }
    template <typename Answer>
    std::optional<Answer> AnswerOf(const VARIANT &child, std::optional<Answer> Spoken::*field) const
    {
        const std::optional<Spoken> spoken = SpokenOf(child);
        return spoken ? (*spoken).*field : std::nullopt;
    }
    HRESULT AnswerText(VARIANT child, BSTR *text, std::optional<std::wstring> Spoken::*field,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR *))
    {
        const std::optional<std::wstring> answer = AnswerOf(child, field);
        if (!answer)
            return (system_->*system)(child, text);
        *text = ::SysAllocStringLen(answer->data(), static_cast<UINT>(answer->size()));
        return S_OK;
    }
    HRESULT AnswerNumber(VARIANT child, VARIANT *number, std::optional<long> Spoken::*field,
                         HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, VARIANT *))
    {
        const std::optional<long> answer = AnswerOf(child, field);
        if (!answer)
            return (system_->*system)(child, number);
        number->vt = VT_I4;
        number->lVal = *answer;
        return S_OK;
    }

    IAccessible *system_;
    Speaker speaker_;
    ULONG references_ = 1;
};

#pragma GCC diagnostic pop

} // namespace

LRESULT AccessibleObjectOf(HWND control, WPARAM wParam, const Speaker &speaker)
{
    IAccessible *system = nullptr;
    if (FAILED(::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void **>(&system))))
        return 0;
    auto *answering = new Answering(system, speaker);
    const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, answering);
    answering->Release();
    return result;
}

} // namespace vorsa::win32
