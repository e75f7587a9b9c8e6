object PayrollForm: TPayrollForm
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Payroll Settings'
  ClientHeight = 313
  ClientWidth = 425
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
  object lblEmployee: TLabel
    Left = 12
    Top = 15
    Width = 49
    Height = 13
    Caption = '&Employee:'
    FocusControl = edtEmployee
  end
  object lblPeriod: TLabel
    Left = 12
    Top = 43
    Width = 56
    Height = 13
    Caption = 'Pay &period:'
  end
  object lbl13th: TLabel
    Left = 12
    Top = 71
    Width = 79
    Height = 13
    Caption = '13th Month Pay:'
  end
  object lblLocked: TLabel
    Left = 232
    Top = 71
    Width = 80
    Height = 13
    Caption = 'Locked by admin'
    Enabled = False
  end
  object edtEmployee: TEdit
    Left = 100
    Top = 11
    Width = 313
    Height = 21
    TabOrder = 0
    Text = 'Dela Cruz, Juan'
  end
  object cbxPeriod: TComboBox
    Left = 100
    Top = 39
    Width = 121
    Height = 21
    ItemHeight = 13
    TabOrder = 1
    Text = 'Semi-monthly'
    Items.Strings = (
      'Weekly'
      'Semi-monthly'
      'Monthly')
  end
  object edt13th: TEdit
    Left = 100
    Top = 67
    Width = 121
    Height = 21
    TabOrder = 2
    Text = '12,500.00'
  end
  object grpDeductions: TGroupBox
    Left = 12
    Top = 100
    Width = 197
    Height = 121
    Caption = ' Deductions '
    TabOrder = 3
    object chkSSS: TCheckBox
      Left = 12
      Top = 20
      Width = 173
      Height = 17
      Caption = 'Social security'
      Checked = True
      State = cbChecked
      TabOrder = 0
    end
    object chkHealth: TCheckBox
      Left = 12
      Top = 44
      Width = 173
      Height = 17
      Caption = 'Health insurance'
      TabOrder = 1
    end
    object chkLoan: TCheckBox
      Left = 12
      Top = 68
      Width = 173
      Height = 17
      Caption = 'Salary loan (none on file)'
      Enabled = False
      TabOrder = 2
    end
    object rbTaxed: TRadioButton
      Left = 12
      Top = 92
      Width = 173
      Height = 17
      Caption = 'Withhold income tax'
      Checked = True
      TabOrder = 3
      TabStop = True
    end
  end
  object lstHistory: TListBox
    Left = 220
    Top = 106
    Width = 193
    Height = 115
    ItemHeight = 13
    Items.Strings = (
      'Jan 15  Regular pay'
      'Jan 31  Regular pay'
      'Feb 15  Regular pay'
      'Feb 28  Overtime adjustment'
      'Mar 15  Regular pay')
    TabOrder = 4
  end
  object mmoNotes: TMemo
    Left = 12
    Top = 230
    Width = 401
    Height = 41
    Lines.Strings = (
      'Rates follow the 2003 schedule.'
      'Review before the year-end run.')
    ScrollBars = ssVertical
    TabOrder = 5
  end
  object btnOK: TButton
    Left = 176
    Top = 280
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 6
  end
  object btnCancel: TButton
    Left = 257
    Top = 280
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 7
  end
  object btnApply: TButton
    Left = 338
    Top = 280
    Width = 75
    Height = 25
    Caption = '&Apply'
    Enabled = False
    TabOrder = 8
  end
end
