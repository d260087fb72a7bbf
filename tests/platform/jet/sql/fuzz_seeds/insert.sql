insert into Orders values ('1','O''Brien');
