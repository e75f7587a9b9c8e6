object Form1: TForm1
  Left = 200
  Top = 120
  Width = 660
  Height = 470
  Caption = 'Calendars'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object SundayLabel: TLabel
    Left = 16
    Top = 8
    Width = 200
    Height = 13
    Caption = 'Sunday first, today'
  end
  object MondayLabel: TLabel
    Left = 336
    Top = 8
    Width = 200
    Height = 13
    Caption = 'Monday first, March 2026'
  end
  object SaturdayLabel: TLabel
    Left = 16
    Top = 216
    Width = 200
    Height = 13
    Caption = 'Saturday first, 29 February 2024, read-only'
  end
  object WideLabel: TLabel
    Left = 336
    Top = 216
    Width = 250
    Height = 13
    Caption = 'Wednesday first, thick lines, no border'
  end
  object Today: TCalendar
    Left = 16
    Top = 24
    Width = 300
    Height = 180
    StartOfWeek = 0
    TabOrder = 0
    OnChange = TodayChange
  end
  object March: TCalendar
    Left = 336
    Top = 24
    Width = 300
    Height = 180
    Color = clInfoBk
    Month = 3
    StartOfWeek = 1
    TabOrder = 1
    UseCurrentDate = False
    Year = 2026
    Day = 17
  end
  object LeapDay: TCalendar
    Left = 16
    Top = 232
    Width = 300
    Height = 180
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -13
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    ParentFont = False
    ReadOnly = True
    Day = 1
    Year = 2024
    Month = 2
    Day = 29
    StartOfWeek = 6
    TabOrder = 2
    UseCurrentDate = False
  end
  object Wide: TCalendar
    Left = 336
    Top = 232
    Width = 300
    Height = 180
    BorderStyle = bsNone
    Color = clSilver
    GridLineWidth = 3
    StartOfWeek = 3
    TabOrder = 3
  end
end
