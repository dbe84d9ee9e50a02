// The main window's form description: every component in creation order (a later
// one is drawn over an earlier one), with its properties and event bindings.
#include "TavrinPicker.h"

namespace {

const char* const FormFont = "ＭＳ Ｐゴシック";

TComponentDesc Swatch(const char* Name, int Top, TColor Color)
{
    return {Name, "TLabel", nullptr,
            {{"Left", 12}, {"Top", Top}, {"Width", 73}, {"Height", 29}, {"Color", Color},
             {"ParentColor", false}, {"Constraints.MinWidth", 73}, {"Constraints.MaxWidth", 73},
             {"Constraints.MinHeight", 29}, {"Constraints.MaxHeight", 29}},
            {}};
}

TComponentDesc CopyButton(const char* Name, int Top, int TabOrder, const char* OnClick)
{
    return {Name, "TFlatButton", nullptr,
            {{"Left", 96}, {"Top", Top}, {"Width", 113}, {"Height", 21},
             {"Caption", "クリップボードに転送"}, {"Color", clBtnFace}, {"ColorFocused", clBtnFace},
             {"ParentColor", false}, {"Font.Name", FormFont}, {"Font.Height", -12},
             {"Font.Color", clWindowText}, {"TabOrder", TabOrder}},
            {{"OnClick", OnClick}}};
}

TComponentDesc ChannelLabel(const char* Name, int Top, int Width, const char* Caption, TColor Color)
{
    return {Name, "TLabel", "TabSheet1",
            {{"Left", 6}, {"Top", Top}, {"Width", Width}, {"Height", 13}, {"Caption", Caption},
             {"Font.Height", -13}, {"Font.Style", "fsBold"}, {"Font.Color", Color}},
            {}};
}

TComponentDesc ChannelBar(const char* Name, int Top, int TabOrder, const char* OnChange)
{
    return {Name, "TScrollBar", "TabSheet1",
            {{"Left", 96}, {"Top", Top}, {"Width", 193}, {"Height", 18}, {"Min", 0}, {"Max", 255},
             {"Position", 0}, {"SmallChange", 1}, {"LargeChange", 1}, {"TabOrder", TabOrder}},
            {{"OnChange", OnChange}}};
}

TComponentDesc ChannelSpin(const char* Name, int Top, int TabOrder, const char* OnChange)
{
    return {Name, "TSpinEdit", "TabSheet1",
            {{"Left", 48}, {"Top", Top}, {"Width", 41}, {"Height", 21}, {"MinValue", 0},
             {"MaxValue", 255}, {"Value", 0}, {"Increment", 1}, {"TabOrder", TabOrder}},
            {{"OnChange", OnChange}}};
}

TComponentDesc MenuItem(const char* Name, const char* Parent, const char* Caption,
                        std::vector<TProp> More = {}, std::vector<TEventBinding> Events = {})
{
    std::vector<TProp> Props{{"Caption", Caption}};
    Props.insert(Props.end(), More.begin(), More.end());
    return {Name, "TMenuItem", Parent, Props, Events};
}

} // namespace

const TFormDesc& TFrmMain::Description()
{
    static const TFormDesc Desc{
        "FrmMain",
        {{"Caption", "Tavrin Picker"}, {"Left", 211}, {"Top", 184}, {"Width", 347}, {"Height", 345},
         {"Color", clBtnFace}, {"Font.Name", FormFont}, {"Font.Height", -12}, {"KeyPreview", true},
         {"Menu", "MainMenu1"}, {"Icon", ":/res/tpicker.png"}},
        {{"OnCreate", "FormCreate"}, {"OnDestroy", "FormDestroy"}, {"OnKeyDown", "FormKeyDown"},
         {"OnMouseDown", "FormMouseDown"}},
        {
            Swatch("Label1", 22, clActiveCaption),
            [] {
                TComponentDesc D = Swatch("lblSWebSafe", 81, 4210816);
                D.Props.insert(D.Props.end(), {{"Hint", "Webセーフカラーはどんな環境でも安心して使える色です"},
                                               {"ShowHint", true}, {"ParentShowHint", false}});
                return D;
            }(),
            {"lblHtmlCode", "TLabel", nullptr,
             {{"Left", 107}, {"Top", 14}, {"Width", 28}, {"Height", 12}, {"Caption", "code"},
              {"Font.Style", "fsBold"}}, {}},
            {"lblWebSafe", "TLabel", nullptr,
             {{"Left", 106}, {"Top", 72}, {"Width", 44}, {"Height", 12}, {"Caption", "wscode"},
              {"Font.Style", "fsBold"}}, {}},
            {"Label5", "TLabel", nullptr,
             {{"Left", 11}, {"Top", 66}, {"Width", 86}, {"Height", 12}, {"Caption", "Webセーフカラー"}}, {}},
            {"Shape1", "TShape", nullptr,
             {{"Left", 11}, {"Top", 58}, {"Width", 198}, {"Height", 1}, {"Pen.Color", clGray}}, {}},
            {"Label7", "TLabel", nullptr,
             {{"Left", 11}, {"Top", 8}, {"Width", 24}, {"Height", 12}, {"Caption", "通常"}}, {}},
            {"ftbSpoit", "TFlatSpeedButton", nullptr,
             {{"Left", 232}, {"Top", 13}, {"Width", 81}, {"Height", 73}, {"Hint", "画面上の色を取得します"},
              {"ColorFocused", cl3DLight}, {"ColorShadow", 8421440}, {"ShowHint", true},
              {"ParentShowHint", false}}, {{"OnClick", "ftbSpoitClick"}}},
            {"lblMsg", "TLabel", nullptr,
             {{"Left", 245}, {"Top", 96}, {"Width", 4}, {"Height", 12}, {"Font.Color", clMaroon}}, {}},
            {"lblSpoitMsg", "TLabel", nullptr,
             {{"Left", 252}, {"Top", 44}, {"Width", 40}, {"Height", 12}, {"Caption", "スポイト"}},
             {{"OnClick", "ftbSpoitClick"}}},
            CopyButton("fbtHTML", 30, 0, "fbtHTMLClick"),
            CopyButton("fbtWebSafe", 89, 1, "fbtWebSafeClick"),
            {"PageControl1", "TPageControl", nullptr,
             {{"Left", 12}, {"Top", 120}, {"Width", 313}, {"Height", 172}, {"ActivePage", "TabSheet1"},
              {"TabOrder", 2}},
             {{"OnChange", "PageControl1Change"}}},
            {"TabSheet1", "TTabSheet", "PageControl1", {{"Caption", "RGB"}}, {}},
            ChannelLabel("Label2", 36, 24, "Red", clRed),
            ChannelLabel("Label3", 69, 40, "Green", clGreen),
            ChannelLabel("Label4", 101, 29, "Blue", clBlue),
            ChannelBar("sclRed", 32, 0, "sclRedChange"),
            ChannelBar("sclGreen", 64, 1, "sclGreenChange"),
            ChannelBar("sclBlue", 96, 2, "sclBlueChange"),
            ChannelSpin("spnR", 32, 3, "spnRChange"),
            ChannelSpin("spnG", 64, 4, "spnGChange"),
            ChannelSpin("spnB", 96, 5, "spnBChange"),
            {"TabSheet2", "TTabSheet", "PageControl1", {{"Caption", "Webセーフカラー"}}, {}},
            {"Image1", "TImage", "TabSheet2",
             {{"Left", 50}, {"Top", 12}, {"Width", 201}, {"Height", 121},
              {"Hint", "クリックすると色を取得できます"}, {"ShowHint", true}, {"ParentShowHint", false},
              {"Picture", ":/res/palette.png"}},
             {{"OnMouseDown", "Image1MouseDown"}}},
            {"MainMenu1", "TMainMenu", nullptr, {}, {}},
            MenuItem("File1", "MainMenu1", "ファイル(&F)"),
            MenuItem("Exit1", "File1", "終了(&X)", {}, {{"OnClick", "Exit1Click"}}),
            MenuItem("Copy1", "MainMenu1", "コピー(&C)"),
            MenuItem("HTML1", "Copy1", "HTMLカラーコードをコピー", {{"ShortCut", 16471}},
                     {{"OnClick", "fbtHTMLClick"}}),
            MenuItem("Web1", "Copy1", "Webセーフカラーをコピー", {{"ShortCut", 16467}},
                     {{"OnClick", "fbtWebSafeClick"}}),
            MenuItem("Help1", "MainMenu1", "ヘルプ(&H)"),
            MenuItem("Web2", "Help1", "作者のWebサイトへ", {}, {{"OnClick", "Web2Click"}}),
            MenuItem("About1", "Help1", "バージョン情報(&A)", {}, {{"OnClick", "About1Click"}}),
            {"Timer1", "TTimer", nullptr, {{"Interval", 10}, {"Enabled", true}}, {{"OnTimer", "Timer1Timer"}}},
        }};
    return Desc;
}
