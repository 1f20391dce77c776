#pragma once
// The single-document pieces: a document, a view that fills its frame, the
// frame window, and the template that makes the three together.
#include <functional>
#include <memory>

#include "framework/Wnd.h"

// The control id of the view inside its frame.
constexpr UINT AFX_IDW_PANE_FIRST_ID = 0xE900;

class CDocument {
public:
    virtual ~CDocument() = default;
    // A new, empty document; FALSE refuses it.
    virtual BOOL OnNewDocument() { return TRUE; }
};

class CView : public CWnd {
public:
    CDocument* m_pDocument = nullptr;
    // Once the view and its document stand: the view's first update.
    virtual void OnInitialUpdate() {}
    virtual BOOL PreCreateWindow(CREATESTRUCTW&) { return TRUE; }
    // The view's turn at a message its frame has not taken; TRUE consumes it.
    // Asked by the frame, so a frame's own keys always come first.
    virtual BOOL TranslateViewKey(MSG*) { return FALSE; }
};

class CFrameWnd : public CWnd {
public:
    CView* m_pView = nullptr;  // the template's view, which fills the client area

    // Window styles and size before creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    void SetTitle(const std::wstring& title) { SetWindowText(title); }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Default: the view's keys (TranslateViewKey).
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // The framework's part of WM_CREATE: the view as a child filling the frame.
    virtual int OnCreate(CREATESTRUCTW* cs);
    // Lays the view over the whole client area.
    void RecalcLayout();

    friend class CSingleDocTemplate;
};

// Makes one document, its frame and the view in it; owns all three.
class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, std::function<std::unique_ptr<CDocument>()> makeDocument,
                       std::function<std::unique_ptr<CFrameWnd>()> makeFrame,
                       std::function<std::unique_ptr<CView>()> makeView);
    ~CSingleDocTemplate();

    // A new empty document in a new frame; null when either fails. The frame
    // is created hidden; the view gets its first update.
    CFrameWnd* OpenDocumentFile();
    UINT ResourceId() const { return m_nResourceId; }

private:
    UINT m_nResourceId;
    std::function<std::unique_ptr<CDocument>()> m_makeDocument;
    std::function<std::unique_ptr<CFrameWnd>()> m_makeFrame;
    std::function<std::unique_ptr<CView>()> m_makeView;
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CView> m_view;  // destroyed after the frame, whose child it is
    std::unique_ptr<CFrameWnd> m_frame;
};
